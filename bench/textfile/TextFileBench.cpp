// Times TextFileIO on a 30,000-line label-style file beside a plain
// std::getline read and an fwrite loop over the same file, in the same run.
// Prints lines per second and the ratio; the goal is within 1.5x.
#include "controls/TextFile.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 30000;
// Rounds of each unless "--runden N" asks for another count (a short run).
int rounds = 40;

struct Times {
    double ours = 1e30;
    double plain = 1e30;
};

// The best of several rounds of each, in seconds; the two take turns so that
// a busy machine slows both alike.
Times best(const std::function<void()>& ours, const std::function<void()>& plain)
{
    Times t;
    auto time = [](const std::function<void()>& work) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> dt = std::chrono::steady_clock::now() - t0;
        return dt.count();
    };
    for (int r = 0; r < rounds; ++r) {
        t.ours = std::min(t.ours, time(ours));
        t.plain = std::min(t.plain, time(plain));
    }
    return t;
}

void report(const char* what, double ours, double plain)
{
    const double ratio = ours / plain;
    std::printf("%-6s TextFileIO %10.0f lines/s   plain %10.0f lines/s   ratio %.2f  %s\n", what,
                kLines / ours, kLines / plain, ratio, ratio <= 1.5 ? "(goal 1.5 met)" : "(goal 1.5 MISSED)");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--runden") {
        rounds = std::atoi(argv[2]);
        if (rounds < 1) {
            std::fprintf(stderr, "--runden needs a count of 1 or more\n");
            return 1;
        }
    }
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString ourPath = dir.filePath(QStringLiteral("ours.zlk"));
    const QString plainPath = dir.filePath(QStringLiteral("plain.zlk"));
    const std::string plainNative = QFile::encodeName(plainPath).toStdString();

    std::vector<QString> lines;
    std::vector<std::string> plainLines;
    for (int i = 0; i < kLines; ++i) {
        const std::string l = "DEU~S~" + std::to_string(1000 + i % 9000) + "~" + std::to_string(5678 + i % 100)
                              + "~Name" + std::to_string(i) + "~1~-1~2~";
        plainLines.push_back(l);
        lines.push_back(QString::fromLatin1(l.data(), qsizetype(l.size())));
    }

    std::size_t sink = 0;

    const Times write = best([&] {
        zl::TextFileIO f;
        f.Assign(ourPath);
        if (!f.Rewrite())
            std::exit(1);
        for (const QString& l : lines)
            f.WriteLine(l);
        f.Close();
    }, [&] {
        std::FILE* f = std::fopen(plainNative.c_str(), "wb");
        if (!f)
            std::exit(1);
        for (const std::string& l : plainLines) {
            std::fwrite(l.data(), 1, l.size(), f);
            std::fwrite("\r\n", 1, 2, f);
        }
        std::fclose(f);
    });

    const Times read = best([&] {
        zl::TextFileIO f;
        f.Assign(ourPath);
        if (!f.Reset())
            std::exit(1);
        int n = 0;
        while (!f.Eof()) {
            sink += std::size_t(f.ReadLine().size());
            ++n;
        }
        f.Close();
        if (n != kLines)
            std::exit(2);
    }, [&] {
        std::ifstream in(plainNative, std::ios::binary);
        std::string l;
        int n = 0;
        while (std::getline(in, l, '\r')) {
            if (in.peek() == '\n')
                in.get();
            sink += l.size();
            ++n;
        }
        if (n != kLines)
            std::exit(2);
    });

    std::printf("%d label lines, best of %d rounds\n", kLines, rounds);
    report("read", read.ours, read.plain);
    report("write", write.ours, write.plain);
    return sink == 0 ? 3 : 0;
}
