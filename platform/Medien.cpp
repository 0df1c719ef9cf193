#include "platform/Medien.h"

#include <QFileInfo>
#include <QStringList>

namespace zl
{

namespace
{
TMedienDienst* g_dienst = nullptr;
}

TMedienDienst* medienDienst()
{
    return g_dienst;
}

TMedienDienst* setzeMedienDienst(TMedienDienst* Dienst)
{
    TMedienDienst* vorher = g_dienst;
    g_dienst = Dienst;
    return vorher;
}

void TMedienRecorder::SpieleSound(const QString& Pfad, bool Synchron, bool Wiederholen)
{
    m_aufrufe.append({Aufruf::Sound, Pfad, Synchron, Wiederholen, 0});
    if (BeiAufruf)
        BeiAufruf(m_aufrufe.constLast());
}

void TMedienRecorder::StoppeSound()
{
    m_aufrufe.append({Aufruf::Stopp, QString(), false, false, 0});
    if (BeiAufruf)
        BeiAufruf(m_aufrufe.constLast());
}

bool TMedienRecorder::SpieleVideo(const QString& Pfad, const std::function<void(const QImage&)>& Bild, QString* Fehler)
{
    m_aufrufe.append({Aufruf::Video, Pfad, true, false, 0});
    for (const QImage& b : VideoBilder)
        if (Bild)
            Bild(b);
    if (BeiAufruf)
        BeiAufruf(m_aufrufe.constLast());
    if (!VideoOk && Fehler)
        *Fehler = VideoFehler;
    return VideoOk;
}

void TMedienRecorder::WarteOhneNachrichten(int Millisekunden)
{
    m_aufrufe.append({Aufruf::Warten, QString(), true, false, Millisekunden});
    if (BeiAufruf)
        BeiAufruf(m_aufrufe.constLast());
}

QStringList TMedienRecorder::Protokoll() const
{
    QStringList r;
    for (const Aufruf& a : m_aufrufe) {
        switch (a.art) {
        case Aufruf::Sound:
            r << QStringLiteral("Sound ") + QFileInfo(a.pfad).fileName() +
                     (a.wiederholen ? QStringLiteral(" (Schleife)")
                      : a.synchron  ? QStringLiteral(" (synchron)")
                                    : QString());
            break;
        case Aufruf::Stopp:
            r << QStringLiteral("Stopp");
            break;
        case Aufruf::Video:
            r << QStringLiteral("Video ") + QFileInfo(a.pfad).fileName();
            break;
        case Aufruf::Warten:
            r << QStringLiteral("Warten %1").arg(a.millisekunden);
            break;
        }
    }
    return r;
}

} // namespace zl
