#include "learning/mapview/zl_zustand.h"

#include "platform/MessageService.h"

#include <QSize>

#include <algorithm>

namespace zl {

std::array<QString, 4> StandardFragTypMasken()
{
    return {QStringLiteral("00000000111111111100000"), QStringLiteral("11111111111111111100000"),
            QStringLiteral("00000000000000000011111"), QString(kFragTypAnzahl, u'1')};
}

bool IstKartenAuswahlSeite(const QString& Name)
{
    return Name == QLatin1String("WLTSheet") || Name == QLatin1String("EURSheet") ||
           Name == QLatin1String("DEUSheet");
}

QList<MenuePunktZustand> MenueZustaende(const MenueEingaben& e)
{
    const int m = e.m;
    const bool teilnehmerUebung = m == Uebung && e.T;
    const bool in234 = m == Lernkarte || m == Uebung || m == Schiebepuzzle;
    const bool beschriftungEdit = m == Kartenauswahl || m == Lernkarte;
    auto enabled = [](const char* name, bool on) {
        return MenuePunktZustand{QString::fromLatin1(name), on, std::nullopt};
    };
    auto visible = [](const char* name, bool on) {
        return MenuePunktZustand{QString::fromLatin1(name), std::nullopt, on};
    };
    // An option the teacher leaves to the participant stays open during their exercise.
    auto eigeneWahl = [&](const char* name, bool frei) { return enabled(name, !teilnehmerUebung || frei); };
    return {
        enabled("Lernkarte1", in234),
        enabled("UebungStart1", true),
        enabled("Uebungabbrechen1", m == Uebung),
        enabled("LetzteUebung1", m != Uebung),
        enabled("NetzwerkUebInit", true),
        enabled("NetzwerkuebungProtokoll1", true),
        enabled("Schiebepuzzle1", in234),
        enabled("Suche1", m == Kartenauswahl || m == Lernkarte || m == Schiebepuzzle),
        enabled("Datentabelle1", m != Uebung),
        enabled("Drucken1", m == Lernkarte),
        enabled("Druckereinrichtung1", m == Lernkarte),
        enabled("Exportieren1", m == Lernkarte),
        enabled("IndieZwischenablageEMF", m == Lernkarte),
        enabled("IndieZwischenablageBMP", m == Lernkarte),
        visible("Ansicht1", m == Lernkarte),
        visible("Kartendarstellung1", m == Lernkarte || m == Schiebepuzzle),
        visible("Beschriftungen1", m == Lernkarte),
        visible("UebungsOptionen1", m == Lernkarte || m == Uebung),
        enabled("Fragetypen1", m != Uebung),
        enabled("UebKartDarst", !teilnehmerUebung),
        eigeneWahl("UebungenRueckmeld1", e.Freigaben.RFLevel == 3),
        eigeneWahl("FragWeiter", e.Freigaben.AutoWeiter == 2),
        visible("PuzzleOptionen1", m == Lernkarte || m == Schiebepuzzle),
        eigeneWahl("Sound1", e.Freigaben.Sound == 2),
        eigeneWahl("Animationen1", e.Freigaben.Animationen == 3),
        eigeneWahl("Anrede1", e.Freigaben.Anrede == 2),
        enabled("Kommunikationsverzeichnis1", !e.T),
        // Follows the editor item's state of this same pass, not the one before it.
        enabled("KartenObjDateiOeffnen1", beschriftungEdit && !e.ObjEditorSichtbar),
        enabled("BeschriftungEdit", beschriftungEdit),
        enabled("LesezeichenDefinieren1", in234),
    };
}

QString HinweisKarteWaehlen(bool AnredeDu)
{
    return AnredeDu ? QStringLiteral("Wähle unten zunächst eine Landkarte aus (per Mausklick auf die "
                                     "Kartenbezeichnung) und wähle dann 'Übungen'.")
                    : QStringLiteral("Wählen Sie unten zunächst eine Landkarte aus (per Mausklick auf die "
                                     "Kartenbezeichnung) und wählen Sie dann 'Übungen'.");
}

QString FrageUebungAbbrechen(bool AnredeDu)
{
    return QStringLiteral("Achtung: Die aktuelle Übung ist noch nicht beendet!\r\n") +
           (AnredeDu ? QStringLiteral("Willst du die Übung wirklich abbrechen?")
                     : QStringLiteral("Wollen Sie die Übung wirklich abbrechen?"));
}

QString FragePuzzleAbbrechen(bool AnredeDu)
{
    return QStringLiteral("Achtung: Das aktuelle Schiebpuzzle ist noch nicht gelöst!\r\n") +
           (AnredeDu ? QStringLiteral("Willst du das Schiebepuzzle wirklich abbrechen?")
                     : QStringLiteral("Wollen Sie das Schiebepuzzle wirklich abbrechen?"));
}

bool ModusVerlassenErlaubt(int m, ModusMenge Modi, bool AnredeDu, int AnzahlFalscheTeile)
{
    if (m == Kartenauswahl && Modi.enthaelt(Kartenauswahl)) {
        ZeigeBox(MsgKind::Information, HinweisKarteWaehlen(AnredeDu), {mbOK});
        return false;
    }
    if (m == Uebung && Modi.enthaelt(Uebung))
        return ZeigeBox(MsgKind::Bestaetigung, FrageUebungAbbrechen(AnredeDu), {mbYes, mbNo}, mbYes) != mbNo;
    if (m == Schiebepuzzle && Modi.enthaelt(Schiebepuzzle) && AnzahlFalscheTeile > 0)
        return ZeigeBox(MsgKind::Bestaetigung, FragePuzzleAbbrechen(AnredeDu), {mbYes, mbNo}, mbYes) != mbNo;
    return true;
}

QString TitelLernkarte(const QString& KartenName) { return kProgrammTitel + QStringLiteral(" - Karte: ") + KartenName; }

QString TitelPuzzle(const QString& KartenName) { return kProgrammTitel + QStringLiteral(" - Puzzle: ") + KartenName; }

QString TitelUebung(const QString& KartenName, const QString& UebModusName, const QString& IntensitaetName,
                    int UebFragAnz, const QString& Teilnehmer)
{
    QString t = kProgrammTitel + QStringLiteral(" - Übung: ") + KartenName + QStringLiteral(" - ") + UebModusName +
                QStringLiteral(" - ") + IntensitaetName + QStringLiteral(" (") + QString::number(UebFragAnz) +
                QLatin1Char(')');
    if (!Teilnehmer.isEmpty())
        t += QStringLiteral(" - Teilnehmer: ") + Teilnehmer;
    return t;
}

QSize MindestFenstergroesse(int BildschirmBreite, int BildschirmHoehe)
{
    return QSize(std::min(BildschirmBreite, 800) - 16, std::min(BildschirmHoehe, 600) - 60);
}

FormTastenAktion FormTasteAuswerten(int Taste, Qt::KeyboardModifiers Modifiers, bool ObjEditorSichtbar)
{
    const Qt::KeyboardModifiers mods = Modifiers & ~Qt::KeypadModifier;
    FormTastenAktion a;
    if (mods == Qt::AltModifier && Taste == Qt::Key_F12) {
        a.Aktion = FormTaste::SchreibeObjektdatei;
        return a;
    }
    if (mods == (Qt::ShiftModifier | Qt::ControlModifier) && Taste == Qt::Key_G) {
        a.Aktion = FormTaste::Standardgeometrie;
        a.Verbraucht = true;
        return a;
    }
    if (const auto befehl = BefehlFuerTaste(Taste, Modifiers)) {
        a.Aktion = FormTaste::Viewport;
        a.Befehl = *befehl;
        a.Verbraucht = true;
        return a;
    }
    if (mods == Qt::AltModifier && ObjEditorSichtbar) {
        switch (Taste) {
        case Qt::Key_Left:
            a.Aktion = FormTaste::AusrichtungLinks;
            break;
        case Qt::Key_Up:
            a.Aktion = FormTaste::AusrichtungOben;
            break;
        case Qt::Key_Right:
            a.Aktion = FormTaste::AusrichtungRechts;
            break;
        case Qt::Key_Down:
            a.Aktion = FormTaste::AusrichtungUnten;
            break;
        default:
            break;
        }
        // The step is the key's whole effect: it must not also move the list on.
        a.Verbraucht = a.Aktion != FormTaste::Keine;
    }
    return a;
}

} // namespace zl
