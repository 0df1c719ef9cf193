#pragma once

// Processor test for instruction-set extensions, and the visual-theme object.

#include <cstdint>

namespace zl
{

enum CpuFeature : std::uint8_t { cfMMX = 0, cfSSE = 1, cfSSE2 = 2, cf3DNow = 3, cf3DNowExt = 4 };

// The processor's answers the test looks at, so the decision can be tested on made-up values.
struct CpuIdRegisters {
    bool HasCpuid = false;         // the ID flag (bit 21) can be toggled
    std::uint32_t Fn1Eax = 0;      // CPUID 1: EAX (family in bits 8..11)
    std::uint32_t Fn1Edx = 0;      // CPUID 1: standard feature flags
    std::uint32_t MaxExtended = 0; // CPUID 80000000h: EAX
    std::uint32_t ExtEdx = 0;      // CPUID 80000001h: extended feature flags
};

// The registers of this processor (x86: through <cpuid.h>; elsewhere: no CPUID).
CpuIdRegisters ReadCpuIdRegisters();
// Family >= 5 and the feature's bit set; 3DNow bits only when the extended leaf exists.
bool CpuHasFeature(const CpuIdRegisters& Regs, CpuFeature Feature);
bool CpuHasFeature(CpuFeature Feature);
bool MmxPresent();
bool Amd3DNowPresent();

// Visual themes: this platform has none, so the object stays closed and ThemesEnabled is
// false; it keeps the open/close/reopen cycle so callers see the same life cycle.
class TThemeNexus
{
  public:
    TThemeNexus();
    ~TThemeNexus();
    TThemeNexus(const TThemeNexus&) = delete;
    TThemeNexus& operator=(const TThemeNexus&) = delete;

    bool ThemesEnabled() const { return m_themesEnabled; }
    std::uintptr_t ScrollbarTheme() const { return m_scrollbarTheme; }
    std::uintptr_t GlobalsTheme() const { return m_globalsTheme; }
    // The system reported a theme change: close, then open again.
    void ThemeChanged();

  private:
    void Open();
    void Close();
    bool m_themesEnabled = false;
    std::uintptr_t m_scrollbarTheme = 0;
    std::uintptr_t m_globalsTheme = 0;
};

TThemeNexus& ThemeNexus();
bool ThemesEnabled();

} // namespace zl
