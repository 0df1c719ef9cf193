#pragma once

// Shared helpers of the data-store tests.

#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "platform/MessageService.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zl::testing
{

inline QByteArray leseBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A temporary program folder; the data store's globals are freed after each test.
class DatenTest : public ::testing::Test
{
  protected:
    void TearDown() override { DatenFreigeben(); }

    QString prog() const { return dir.path() + QLatin1Char('/'); }
    QString daten(const QString& name) const { return prog() + QLatin1String("ZL-Daten/") + name; }
    QString karten(const QString& name) const { return prog() + QLatin1String("ZX-Karten/") + name; }

    QTemporaryDir dir;
};

// JPEG variants that the project's writer does not make (written with libjpeg directly).
QByteArray GrauJpeg(int breite, int hoehe, int grau);
QByteArray CmykJpeg(int breite, int hoehe, int c, int m, int y, int k); // ink 0..255, Adobe-inverted on disk
// A one-pixel JPEG whose frame header claims another size (the data then runs short).
QByteArray JpegMitGroesse(int breite, int hoehe);
// ... claiming width and height 0.
QByteArray NullJpeg();
// A progressive grey picture whose last scan is repeated.
QByteArray ProgressivesJpeg(int breite, int hoehe, int zusaetzlicheScans);

} // namespace zl::testing
