#include "raster/Rast32_System.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace zl
{

CpuIdRegisters ReadCpuIdRegisters()
{
    CpuIdRegisters r;
#if defined(__i386__) || defined(__x86_64__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid_max(0, nullptr) >= 1 && __get_cpuid(1, &a, &b, &c, &d)) {
        r.HasCpuid = true;
        r.Fn1Eax = a;
        r.Fn1Edx = d;
        r.MaxExtended = __get_cpuid_max(0x80000000u, nullptr);
        if (r.MaxExtended >= 0x80000001u && __get_cpuid(0x80000001u, &a, &b, &c, &d))
            r.ExtEdx = d;
    }
#endif
    return r;
}

bool CpuHasFeature(const CpuIdRegisters& Regs, CpuFeature Feature)
{
    if (!Regs.HasCpuid)
        return false;
    if (((Regs.Fn1Eax >> 8) & 0xF) < 5)
        return false;
    switch (Feature) {
    case cfMMX:
        return (Regs.Fn1Edx >> 23) & 1;
    case cfSSE:
        return (Regs.Fn1Edx >> 25) & 1;
    case cfSSE2:
        return (Regs.Fn1Edx >> 26) & 1;
    case cf3DNow:
        return Regs.MaxExtended >= 0x80000001u && ((Regs.ExtEdx >> 31) & 1);
    case cf3DNowExt:
        return Regs.MaxExtended >= 0x80000001u && ((Regs.ExtEdx >> 30) & 1);
    }
    return false;
}

bool CpuHasFeature(CpuFeature Feature)
{
    static const CpuIdRegisters regs = ReadCpuIdRegisters();
    return CpuHasFeature(regs, Feature);
}

bool MmxPresent()
{
    return CpuHasFeature(cfMMX);
}

bool Amd3DNowPresent()
{
    return CpuHasFeature(cf3DNow);
}

TThemeNexus::TThemeNexus()
{
    Open();
}

TThemeNexus::~TThemeNexus()
{
    Close();
}

void TThemeNexus::Open()
{
    // No theme library here: themes stay off and no handle is opened.
    m_themesEnabled = false;
}

void TThemeNexus::Close()
{
    m_scrollbarTheme = 0;
    m_globalsTheme = 0;
}

void TThemeNexus::ThemeChanged()
{
    Close();
    Open();
}

TThemeNexus& ThemeNexus()
{
    static TThemeNexus nexus;
    return nexus;
}

bool ThemesEnabled()
{
    return ThemeNexus().ThemesEnabled();
}

} // namespace zl
