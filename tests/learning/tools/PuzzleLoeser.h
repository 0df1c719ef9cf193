#pragma once

// A breadth-first solver for 3 x 3 boards: the cells to click, in order, with
// neighbour moves only. Empty when the board cannot be solved.

#include "learning/tools/zl_schieb.h"

#include <QHash>
#include <QPoint>

#include <array>
#include <deque>
#include <vector>

namespace zl
{

inline std::vector<QPoint> LoesePuzzle3x3(const TSchiebepuzzle& P)
{
    using Stand = std::array<char, 9>; // ids by cell index r * 3 + c
    auto schluessel = [](const Stand& s) {
        int k = 0;
        for (char v : s)
            k = k * 9 + v;
        return k;
    };
    Stand start{};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            start[r * 3 + c] = char(P.Feld[c][r]);
    Stand ziel{};
    for (int i = 0; i < 9; ++i)
        ziel[i] = char(i);
    QHash<int, std::pair<int, int>> herkunft; // state -> (previous state, clicked cell)
    std::deque<Stand> offen{start};
    herkunft.insert(schluessel(start), {-1, -1});
    while (!offen.empty()) {
        const Stand s = offen.front();
        offen.pop_front();
        if (s == ziel) {
            std::vector<QPoint> weg;
            for (int k = schluessel(s); herkunft[k].first != -1; k = herkunft[k].first)
                weg.insert(weg.begin(), QPoint(herkunft[k].second % 3, herkunft[k].second / 3));
            return weg;
        }
        int loch = 0;
        while (s[loch] != 8)
            ++loch;
        const int lc = loch % 3, lr = loch / 3;
        const int d[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& e : d) {
            const int c = lc + e[0], r = lr + e[1];
            if (c < 0 || c > 2 || r < 0 || r > 2)
                continue;
            Stand n = s;
            std::swap(n[loch], n[r * 3 + c]);
            const int k = schluessel(n);
            if (herkunft.contains(k))
                continue;
            herkunft.insert(k, {schluessel(s), r * 3 + c});
            offen.push_back(n);
        }
    }
    return {};
}

} // namespace zl
