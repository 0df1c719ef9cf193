// The bundled atlas as test bed: every exercise map, every question type it allows.
#include "learning/exercise/zl_uebung.h"

#include "UebTestdaten.h"
#include "datastore/zl_data.h"
#include "platform/MessageService.h"

#include <gtest/gtest.h>

using namespace zl;

namespace {

class UebAtlas : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RecordingMessageService rec;
        MessageService* alt = setMessageService(&rec);
        DatenInitialisieren(QStringLiteral(ZL_ATLAS_DIR) + QLatin1Char('/'));
        setMessageService(alt);
    }
    void SetUp() override
    {
        ASSERT_GT(LaenderDaten.size(), 200);
        ASSERT_GT(ObjDaten.size(), 4000);
    }
    static void TearDownTestSuite() { DatenFreigeben(); }
};

// Five of the objects with different texts, each pair at least 0.1 apart (backtracking).
bool FuenfAuseinander(const QList<int>& Objekte, QList<int>& Wahl, int Ab)
{
    if (Wahl.size() == 5)
        return true;
    for (int i = Ab; i < Objekte.size(); ++i) {
        const ObjDataTyp& b = ObjDaten[Objekte[i]];
        bool passt = !Einzeilig(b.Bez).isEmpty();
        for (int m : Wahl) {
            const ObjDataTyp& a = ObjDaten[m];
            passt = passt && Einzeilig(a.Bez) != Einzeilig(b.Bez) &&
                    (a.Px - b.Px) * (a.Px - b.Px) + (a.Py - b.Py) * (a.Py - b.Py) >= 0.01;
        }
        if (!passt)
            continue;
        Wahl.append(Objekte[i]);
        if (FuenfAuseinander(Objekte, Wahl, i + 1))
            return true;
        Wahl.removeLast();
    }
    return false;
}

// Whether the map's data can hold a question of the type at all: the region
// rules; for flag questions five flags in the region; for object questions five
// objects of the category that may stand together.
bool KarteErlaubt(const UebungDataTyp& e, int t, int Intens)
{
    if (!FragTypErlaubt(t, e.Gebiet))
        return false;
    if (t == E01 || t == E02) {
        int flaggen = 0;
        for (const laenderdatatyp& l : LaenderDaten)
            flaggen += LandImGebiet(l, e.Gebiet) && !l.Flagge.isEmpty();
        return flaggen >= 5;
    }
    if (IstObjektFrage(t)) {
        TUebIndex index;
        index.Aufbauen(e.UebKartID, Intens, e.Gebiet);
        const int c = FragTypKategorie(t);
        QList<int> objekte, wahl;
        for (int k = 0; k < index.KategorieAnzahl(c); ++k)
            objekte.append(index.KategorieObjekt(k, c));
        return FuenfAuseinander(objekte, wahl, 0);
    }
    return true;
}

TEST_F(UebAtlas, EveryMapAndTypeGeneratesTenQuestions)
{
    ASSERT_GT(UebungsDaten.size(), 40);
    int uebungen = 0;
    for (qsizetype i = 0; i < UebungsDaten.size(); ++i) {
        const UebungDataTyp& e = UebungsDaten[i];
        if (e.Gebiet == -1) {
            for (int t = E01; t <= E08; ++t)
                EXPECT_FALSE(FragTypErlaubt(t, e.Gebiet));
        }
        for (int n = 0; n < 2 * kFragTypen; ++n) {
            const int t = n % kFragTypen + 1;
            const int intens = n < kFragTypen ? 3 : 1;
            if (!KarteErlaubt(e, t, intens))
                continue;
            QString maske(23, u'0');
            maske[t - 1] = u'1';
            Uebungszustand z = testdaten::Zustand(4, 10);
            z.UebKartIndex = int(i);
            RecordingMessageService rec;
            MessageService* alt = setMessageService(&rec);
            TUebung u(z, testdaten::FesteUhr());
            const bool ok =
                u.StarteUebung({e.UebKartID, e.Gebiet, 4711 + n, intens}, testdaten::Optionen(maske));
            const WeiterErgebnis w = ok ? testdaten::BeantworteAlle(u) : WeiterErgebnis::Fehler;
            setMessageService(alt);
            EXPECT_TRUE(ok && w == WeiterErgebnis::Ende && rec.entries().isEmpty())
                << e.UebKartID.toStdString() << " " << FragTypCode(t).toStdString() << " intensity " << intens;
            EXPECT_EQ(z.AnzRichtig + z.AnzFalsch, 10);
            ++uebungen;
        }
    }
    EXPECT_GT(uebungen, 700);
}

// On the real data too, an exercise run to its end and the same exercise
// pre-generated from its seed ask the same questions in the same order.
TEST_F(UebAtlas, RunAndPreGenerationAgree)
{
    for (qsizetype i = 0; i < UebungsDaten.size(); i += 5) {
        const UebungDataTyp& e = UebungsDaten[i];
        Uebungszustand z = testdaten::Zustand(2, 50);
        z.UebKartIndex = int(i);
        RecordingMessageService rec;
        MessageService* alt = setMessageService(&rec);
        TUebung u(z, testdaten::FesteUhr());
        const bool ok = u.StarteUebung({e.UebKartID, e.Gebiet, 20261210 + int(i), 2}, testdaten::Optionen());
        if (ok)
            testdaten::BeantworteAlle(u, 3);
        const TVorausErzeugung v = ErzeugeFragenVoraus(testdaten::Zustand(2, 50),
                                                       {e.UebKartID, e.Gebiet, 20261210 + int(i), 2},
                                                       testdaten::Optionen(), testdaten::FesteUhr());
        setMessageService(alt);
        ASSERT_EQ(v.Ok, ok) << e.UebKartID.toStdString();
        ASSERT_EQ(v.Fragen.size(), u.Fragen().size());
        for (qsizetype q = 0; q < v.Fragen.size(); ++q) {
            EXPECT_EQ(v.Fragen[q].FragText, u.Fragen()[q].FragText);
            EXPECT_EQ(v.Fragen[q].Antworten, u.Fragen()[q].Antworten);
            EXPECT_EQ(v.Fragen[q].RichtigeAntwort, u.Fragen()[q].RichtigeAntwort);
        }
        // Every question block of the run is in the answer key, word for word.
        const qsizetype kopf = z.Uebungsprotokoll.indexOf(QStringLiteral(" 01."));
        const QString frage1 = z.Uebungsprotokoll.mid(kopf, z.Uebungsprotokoll.indexOf(QStringLiteral(" Richtige"), kopf) - kopf);
        EXPECT_TRUE(v.Protokoll.contains(frage1));
    }
}

} // namespace
