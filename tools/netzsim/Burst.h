#pragma once

// A burst on the result port as a busy school network brings it: the results of
// a class spread among thousands of foreign and damaged datagrams.

#include "learning/network/MailSlot2.h"
#include "learning/network/zl_netz.h"

#include <QByteArray>
#include <QHostAddress>

#include <vector>

namespace zl::netzsim {

// Participant p's state after its k-th answer, as the exercise sends it.
Teilnehmerergebnis Teilnehmerstand(int p, int k);
// The exercise id the states carry.
QString BurstUebungsID();

struct Burst {
    std::vector<QByteArray> Datagramme;
    std::vector<Teilnehmerergebnis> Gute; // in sending order
};

// Datagramme datagrams, Gute of them results of Teilnehmer participants spread
// evenly. One in five of the others is a damaged result (junk numbers under a
// participant's key, an empty key, 3000 CRs, a line end in the name), the rest
// foreign bytes, now and then too large for a message. Framed as Sender sends.
Burst BaueBurst(const TMailSlot2& Sender, int Datagramme, int Gute, int Teilnehmer, unsigned Seed = 7);

// Sends the datagrams from the calling thread; after every PauseAlle-th one a
// pause of 100 µs (0: as fast as the system takes them).
void SendeBurst(const Burst& B, const QHostAddress& Ziel, quint16 Port, int PauseAlle);

} // namespace zl::netzsim
