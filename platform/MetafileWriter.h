#pragma once

// Own writers for the two Windows metafile formats, from a recorded TMetafile: the enhanced
// metafile (EMF) and the Windows metafile with placeable header (WMF). Both map one logical
// unit to one pixel of a 96-dpi device; bitmaps go in as 24-bit DIBs, texts with their
// advances, so a reader lays them out as recorded (and over the halos drawn into pictures).

#include "platform/Metafile.h"

#include <QByteArray>
#include <QString>

class QMimeData;

namespace zl
{

// The metafile as the writers store it: a text's halo over a picture recorded before it is
// drawn into (a copy of) that picture's pixels, so the file holds one text record for the
// line. The halo then lies under what was drawn between the picture and the text. A halo the
// picture cannot hold whole (or a filled or turned text) stays text records.
TMetafile RaenderImBild(const TMetafile& Mf);

// The EMF file's bytes; empty with Fehler set when the metafile has no size.
QByteArray SchreibeEmf(const TMetafile& Mf, QString* Fehler = nullptr);
// The placeable WMF file's bytes; empty with Fehler set when the metafile has no size or does
// not fit the format's 16-bit coordinates, counts and record sizes.
QByteArray SchreibeWmf(const TMetafile& Mf, QString* Fehler = nullptr);

// Whether a file name asks for a WMF (extension ".wmf" in any case; else EMF).
bool IstWmfName(const QString& Datei);
// Writes the metafile to Datei as WMF or EMF by its name, through a temporary file renamed
// over the target, so a failed write leaves the old file as it was. False with Fehler set.
bool SpeichereMetafile(const TMetafile& Mf, const QString& Datei, QString* Fehler = nullptr);

// The clipboard's MIME type of an enhanced metafile.
inline constexpr char kEmfMimeTyp[] = "image/x-emf";
// Clipboard contents for a metafile: the EMF bytes and the picture replayed at its size.
// Null (with Fehler) when the EMF cannot be written. The caller owns the result.
QMimeData* MetafileMimeDaten(const TMetafile& Mf, QString* Fehler = nullptr);

} // namespace zl
