// Reading, changing and writing TrueType faces: line metrics, names, emboldened outlines.

#include "FaceTransforms.h"

#include <QMap>
#include <QVector>
#include <QtEndian>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// Offsets of the fields this file reads or changes, by table.
constexpr int HeadCheckSumAdjustment = 8;
constexpr int HeadUnitsPerEm = 18;
constexpr int HeadBoundingBox = 36;  // xMin, yMin, xMax, yMax
constexpr int HeadMacStyle = 44;
constexpr int HeadIndexToLocFormat = 50;
constexpr int HheaAdvanceWidthMax = 10;
constexpr int HheaMinLeftSideBearing = 12;  // then the right side bearing and the x extent
constexpr int HheaNumberOfHMetrics = 34;
constexpr int MaxpNumGlyphs = 4;
constexpr int MaxpMaxPoints = 6;              // then contours, composite points and contours
constexpr int MaxpMaxComponentElements = 28;  // then the component depth
constexpr int OS2WeightClass = 4;
constexpr int OS2FsSelection = 62;
constexpr int OS2TypoAscender = 68;  // then the typo descender and line gap
constexpr int OS2WinAscent = 74;     // then the Windows descent

constexpr quint16 FsSelectionBold = 0x20;
constexpr quint16 FsSelectionRegular = 0x40;
constexpr quint16 FsSelectionUseTypoMetrics = 0x80;
constexpr quint16 MacStyleBold = 0x01;

// The tables of a TrueType face by tag, and its version word.
struct TFace {
    quint32 version = 0;
    QMap<QByteArray, QByteArray> tables;
};

// Reads and writes of big-endian fields; a field that does not lie wholly
// inside the data reads as 0 and is not written.
bool Holds(const QByteArray& data, qsizetype offset, qsizetype size) {
    return offset >= 0 && offset + size <= data.size();
}

quint16 ReadU16(const QByteArray& data, qsizetype offset) {
    return Holds(data, offset, 2) ? qFromBigEndian<quint16>(data.constData() + offset) : 0;
}

quint32 ReadU32(const QByteArray& data, qsizetype offset) {
    return Holds(data, offset, 4) ? qFromBigEndian<quint32>(data.constData() + offset) : 0;
}

void WriteU16(QByteArray& data, qsizetype offset, quint16 value) {
    if (Holds(data, offset, 2))
        qToBigEndian(value, data.data() + offset);
}

void WriteI16(QByteArray& data, qsizetype offset, qint16 value) {
    WriteU16(data, offset, static_cast<quint16>(value));
}

void WriteU32(QByteArray& data, qsizetype offset, quint32 value) {
    if (Holds(data, offset, 4))
        qToBigEndian(value, data.data() + offset);
}

void AppendU16(QByteArray& data, quint16 value) {
    char bytes[2];
    qToBigEndian(value, bytes);
    data.append(bytes, 2);
}

void AppendI16(QByteArray& data, qint16 value) {
    AppendU16(data, static_cast<quint16>(value));
}

void AppendU32(QByteArray& data, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    data.append(bytes, 4);
}

void PadToFour(QByteArray& data) {
    data.append(QByteArray((4 - data.size() % 4) % 4, '\0'));
}

// The sum of a table's big-endian 32-bit words, the last one padded with zeros.
quint32 TableChecksum(QByteArray table) {
    PadToFour(table);
    quint32 sum = 0;
    for (qsizetype i = 0; i < table.size(); i += 4)
        sum += ReadU32(table, i);
    return sum;
}

// The face's tables; none when its directory runs outside the data or a
// table the changes below rely on is missing or short.
TFace ReadFace(const QByteArray& data) {
    TFace face;
    if (data.size() < 12)
        return face;
    const quint16 count = ReadU16(data, 4);
    if (data.size() < 12 + 16 * qsizetype(count))
        return face;
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 12 + 16 * i;
        const quint32 offset = ReadU32(data, record + 8);
        const quint32 length = ReadU32(data, record + 12);
        if (qsizetype(offset) + qsizetype(length) > data.size())
            return {};
        face.tables.insert(data.mid(record, 4), data.mid(offset, length));
    }
    const auto shorterThan = [&face](const char* tag, qsizetype length) {
        return face.tables.value(tag).size() < length;
    };
    if (shorterThan("head", 54) || shorterThan("hhea", 36) || shorterThan("maxp", 32) || shorterThan("OS/2", 78))
        return {};
    face.version = ReadU32(data, 0);
    return face;
}

// The face as a file: tables in tag order, each on a 4-byte boundary, with
// their checksums and the file's checksum adjustment.
QByteArray AssembleFace(TFace face) {
    const quint16 count = static_cast<quint16>(face.tables.size());
    quint16 entrySelector = 0;
    while ((2u << entrySelector) <= count)
        ++entrySelector;
    const quint16 searchRange = static_cast<quint16>(16u << entrySelector);
    WriteU32(face.tables["head"], HeadCheckSumAdjustment, 0);

    QByteArray data;
    AppendU32(data, face.version);
    AppendU16(data, count);
    AppendU16(data, searchRange);
    AppendU16(data, entrySelector);
    AppendU16(data, static_cast<quint16>(count * 16 - searchRange));
    QByteArray body;
    const quint32 bodyOffset = 12 + 16 * count;
    qsizetype headOffset = 0;
    for (auto it = face.tables.cbegin(); it != face.tables.cend(); ++it) {
        if (it.key() == "head")
            headOffset = bodyOffset + body.size();
        data.append(it.key());
        AppendU32(data, TableChecksum(it.value()));
        AppendU32(data, bodyOffset + static_cast<quint32>(body.size()));
        AppendU32(data, static_cast<quint32>(it.value().size()));
        body.append(it.value());
        PadToFour(body);
    }
    data.append(body);
    WriteU32(data, headOffset + HeadCheckSumAdjustment, 0xB1B0AFBAu - TableChecksum(data));
    return data;
}

// A name table of format 0 with Windows Unicode names only: family, style,
// full name and PostScript name.
QByteArray NameTable(const QString& family, const QString& style) {
    const QString fullName = style == QLatin1String("Regular") ? family : family + QLatin1Char(' ') + style;
    QString postScriptName = family + QLatin1Char('-') + style;
    postScriptName.remove(QLatin1Char(' '));
    const std::pair<quint16, QString> names[] = {{1, family}, {2, style}, {4, fullName}, {6, postScriptName}};
    const quint16 count = std::size(names);

    QByteArray strings;
    QByteArray table;
    AppendU16(table, 0);               // format
    AppendU16(table, count);           // records
    AppendU16(table, 6 + 12 * count);  // where the strings start
    for (const auto& [nameId, text] : names) {
        QByteArray utf16;
        for (const QChar ch : text)
            AppendU16(utf16, ch.unicode());
        AppendU16(table, 3);       // Windows
        AppendU16(table, 1);       // Unicode BMP
        AppendU16(table, 0x0409);  // English (United States)
        AppendU16(table, nameId);
        AppendU16(table, static_cast<quint16>(utf16.size()));
        AppendU16(table, static_cast<quint16>(strings.size()));
        strings.append(utf16);
    }
    return table + strings;
}

// Big-endian writes into a buffer whose size is known beforehand: the
// glyphs are many and small, and growing an array two bytes at a time would
// cost more than everything else done to them.
class TGlyphWriter {
public:
    explicit TGlyphWriter(std::vector<char>& buffer) : v_buffer(buffer) {}
    void I16(qint64 value) {
        const auto bits = static_cast<quint16>(static_cast<qint16>(value));
        v_buffer.push_back(static_cast<char>(bits >> 8));
        v_buffer.push_back(static_cast<char>(bits & 0xff));
    }
    void Byte(char value) { v_buffer.push_back(value); }

private:
    std::vector<char>& v_buffer;
};

// Appends one glyph's outline in font units to `glyf`, in the simple-glyph
// encoding: every point on or off the curve, every coordinate as a 16-bit
// delta, padded to four bytes. An outline without points is the empty glyph.
void EncodeSimpleGlyph(const FT_Outline& outline, FT_BBox& box, std::vector<char>& glyf) {
    if (outline.n_points == 0 || outline.n_contours == 0) {
        box = {0, 0, 0, 0};
        return;
    }
    FT_Outline_Get_CBox(&outline, &box);
    TGlyphWriter out(glyf);
    out.I16(outline.n_contours);
    out.I16(box.xMin);
    out.I16(box.yMin);
    out.I16(box.xMax);
    out.I16(box.yMax);
    for (int c = 0; c < outline.n_contours; ++c)
        out.I16(outline.contours[c]);
    out.I16(0);  // no instructions
    for (int p = 0; p < outline.n_points; ++p)
        out.Byte(FT_CURVE_TAG(outline.tags[p]) == FT_CURVE_TAG_ON ? 0x01 : 0x00);
    FT_Pos previous = 0;
    for (int p = 0; p < outline.n_points; ++p) {
        out.I16(outline.points[p].x - previous);
        previous = outline.points[p].x;
    }
    previous = 0;
    for (int p = 0; p < outline.n_points; ++p) {
        out.I16(outline.points[p].y - previous);
        previous = outline.points[p].y;
    }
    while (glyf.size() % 4 != 0)
        out.Byte(0);
}

// Moves every point of the outline outward by `strength` / 2 along the
// bisector of its two edges, as the font engine's emboldening does, then up
// and right by as much, so that the outline is `strength` wider and higher
// with its left and bottom edges in place. Edges shorter than the shift
// limit it, so that small details do not fold over.
void EmboldenOutline(FT_Outline& outline, double strength) {
    const double half = strength / 2;
    // TrueType outlines run clockwise: the outside is on the left of an edge.
    const double outward = FT_Outline_Get_Orientation(&outline) == FT_ORIENTATION_TRUETYPE ? 1.0 : -1.0;
    std::vector<FT_Vector> original;
    int first = 0;
    for (int c = 0; c < outline.n_contours; ++c) {
        const int last = outline.contours[c];
        const int count = last - first + 1;
        if (count < 2) {
            first = last + 1;
            continue;
        }
        original.assign(outline.points + first, outline.points + last + 1);
        for (int i = 0; i < count; ++i) {
            const FT_Vector& previous = original[(i + count - 1) % count];
            const FT_Vector& current = original[i];
            const FT_Vector& next = original[(i + 1) % count];
            double inX = double(current.x - previous.x), inY = double(current.y - previous.y);
            double outX = double(next.x - current.x), outY = double(next.y - current.y);
            const double inLength = std::sqrt(inX * inX + inY * inY), outLength = std::sqrt(outX * outX + outY * outY);
            double shiftX = 0, shiftY = 0;
            if (inLength > 0 && outLength > 0) {
                inX /= inLength, inY /= inLength, outX /= outLength, outY /= outLength;
                const double cosine = inX * outX + inY * outY;
                if (cosine > -0.9375) {  // not a sharp turn back
                    const double d = cosine + 1;
                    // The normal pointing outward, summed over both edges.
                    const double normalX = -(inY + outY) * outward, normalY = (inX + outX) * outward;
                    const double cross = std::abs(outX * inY - outY * inX);
                    const double limit = std::min(inLength, outLength);
                    const double scale = half * cross <= limit * d ? half / d : limit / cross;
                    shiftX = normalX * scale;
                    shiftY = normalY * scale;
                }
            }
            outline.points[first + i].x = current.x + FT_Pos(std::floor(half + shiftX + 0.5));
            outline.points[first + i].y = current.y + FT_Pos(std::floor(half + shiftY + 0.5));
        }
        first = last + 1;
    }
}

// The font engine library for the length of one conversion.
class TFreeType {
public:
    TFreeType() { v_ok = FT_Init_FreeType(&v_library) == 0; }
    ~TFreeType() {
        if (v_face)
            FT_Done_Face(v_face);
        if (v_ok)
            FT_Done_FreeType(v_library);
    }
    TFreeType(const TFreeType&) = delete;
    TFreeType& operator=(const TFreeType&) = delete;

    FT_Face Open(const QByteArray& data) {
        if (v_ok && FT_New_Memory_Face(v_library, reinterpret_cast<const FT_Byte*>(data.constData()),
                                       static_cast<FT_Long>(data.size()), 0, &v_face) != 0)
            v_face = nullptr;
        return v_face;
    }

private:
    FT_Library v_library = nullptr;
    FT_Face v_face = nullptr;
    bool v_ok = false;
};

// Replaces the face's outlines and advances by emboldened ones: each
// outline grows by `strength` font units in width and height, and each
// advance by as much, the way the font engine itself emboldens a regular
// face for bold text, but in the face's own units, so that the strokes
// stay as much heavier at every size.
bool EmboldenOutlines(TFace& face, const QByteArray& data, FT_Pos strength) {
    TFreeType freeType;
    const FT_Face ftFace = freeType.Open(data);
    if (!ftFace || !FT_IS_SFNT(ftFace))
        return false;
    const int glyphs = static_cast<int>(ftFace->num_glyphs);
    std::vector<char> glyf;
    glyf.reserve(static_cast<size_t>(face.tables.value("glyf").size()) * 3);
    QByteArray loca;
    QByteArray hmtx;
    loca.reserve(4 * (glyphs + 1));
    hmtx.reserve(4 * glyphs);
    FT_BBox fontBox{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int maxPoints = 0;
    int maxContours = 0;
    qint16 minLeftBearing = SHRT_MAX;
    qint16 minRightBearing = SHRT_MAX;
    qint16 maxExtent = SHRT_MIN;
    quint16 maxAdvance = 0;
    for (int g = 0; g < glyphs; ++g) {
        if (FT_Load_Glyph(ftFace, static_cast<FT_UInt>(g), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) !=
                0 ||
            ftFace->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            return false;
        FT_Outline& outline = ftFace->glyph->outline;
        if (outline.n_points > 0)
            EmboldenOutline(outline, double(strength));
        FT_BBox box;
        AppendU32(loca, static_cast<quint32>(glyf.size()));
        EncodeSimpleGlyph(outline, box, glyf);
        const quint16 advance =
            static_cast<quint16>(ftFace->glyph->metrics.horiAdvance + (outline.n_points > 0 ? strength : 0));
        AppendU16(hmtx, advance);
        AppendI16(hmtx, static_cast<qint16>(box.xMin));
        maxAdvance = std::max(maxAdvance, advance);
        if (outline.n_points > 0) {
            fontBox = {std::min(fontBox.xMin, box.xMin), std::min(fontBox.yMin, box.yMin),
                       std::max(fontBox.xMax, box.xMax), std::max(fontBox.yMax, box.yMax)};
            maxPoints = std::max(maxPoints, int(outline.n_points));
            maxContours = std::max(maxContours, int(outline.n_contours));
            minLeftBearing = std::min(minLeftBearing, static_cast<qint16>(box.xMin));
            minRightBearing = std::min(minRightBearing, static_cast<qint16>(advance - box.xMax));
            maxExtent = std::max(maxExtent, static_cast<qint16>(box.xMax));
        }
    }
    AppendU32(loca, static_cast<quint32>(glyf.size()));

    face.tables["glyf"] = QByteArray(glyf.data(), static_cast<qsizetype>(glyf.size()));
    face.tables["loca"] = loca;
    face.tables["hmtx"] = hmtx;
    QByteArray& head = face.tables["head"];
    WriteI16(head, HeadBoundingBox, static_cast<qint16>(fontBox.xMin));
    WriteI16(head, HeadBoundingBox + 2, static_cast<qint16>(fontBox.yMin));
    WriteI16(head, HeadBoundingBox + 4, static_cast<qint16>(fontBox.xMax));
    WriteI16(head, HeadBoundingBox + 6, static_cast<qint16>(fontBox.yMax));
    WriteU16(head, HeadMacStyle, ReadU16(head, HeadMacStyle) | MacStyleBold);
    WriteI16(head, HeadIndexToLocFormat, 1);  // 32-bit offsets
    QByteArray& hhea = face.tables["hhea"];
    WriteU16(hhea, HheaAdvanceWidthMax, maxAdvance);
    WriteI16(hhea, HheaMinLeftSideBearing, minLeftBearing);
    WriteI16(hhea, HheaMinLeftSideBearing + 2, minRightBearing);
    WriteI16(hhea, HheaMinLeftSideBearing + 4, maxExtent);
    WriteU16(hhea, HheaNumberOfHMetrics, static_cast<quint16>(glyphs));
    QByteArray& maxp = face.tables["maxp"];
    WriteU16(maxp, MaxpNumGlyphs, static_cast<quint16>(glyphs));
    WriteU16(maxp, MaxpMaxPoints, static_cast<quint16>(maxPoints));
    WriteU16(maxp, MaxpMaxPoints + 2, static_cast<quint16>(maxContours));
    WriteU16(maxp, MaxpMaxPoints + 4, 0);  // composites were resolved into simple glyphs
    WriteU16(maxp, MaxpMaxPoints + 6, 0);
    WriteU16(maxp, MaxpMaxComponentElements, 0);
    WriteU16(maxp, MaxpMaxComponentElements + 2, 0);
    QByteArray& os2 = face.tables["OS/2"];
    WriteU16(os2, OS2WeightClass, 700);
    WriteU16(os2, OS2FsSelection, (ReadU16(os2, OS2FsSelection) & ~FsSelectionRegular) | FsSelectionBold);
    // Hinting programs and device tables were made for the regular outlines;
    // kerning still holds, every advance having grown by the same amount.
    for (const char* tag : {"fpgm", "prep", "cvt ", "hdmx", "LTSH", "VDMX"})
        face.tables.remove(tag);
    return true;
}

}  // namespace

QByteArray WithWindowsLineMetrics(const QByteArray& data, const QString& family) {
    TFace face = ReadFace(data);
    if (face.tables.isEmpty())
        return {};
    QByteArray& os2 = face.tables["OS/2"];
    WriteU16(os2, OS2FsSelection, ReadU16(os2, OS2FsSelection) & ~FsSelectionUseTypoMetrics);
    // Text engines that read the typo metrics whatever the flag says get the
    // Windows ones there as well.
    const quint16 winAscent = ReadU16(os2, OS2WinAscent);
    const quint16 winDescent = ReadU16(os2, OS2WinAscent + 2);
    WriteI16(os2, OS2TypoAscender, static_cast<qint16>(winAscent));
    WriteI16(os2, OS2TypoAscender + 2, static_cast<qint16>(-winDescent));
    WriteI16(os2, OS2TypoAscender + 4, 0);
    // The embedded bitmaps of the small sizes carry line metrics of their
    // own, as low as the typo ones; the text is drawn from the outlines in
    // any case.
    for (const char* tag : {"EBLC", "EBDT", "EBSC", "BDF "})
        face.tables.remove(tag);
    const bool bold = ReadU16(os2, OS2WeightClass) >= 600;
    face.tables["name"] = NameTable(family, bold ? QStringLiteral("Bold") : QStringLiteral("Regular"));
    return AssembleFace(face);
}

QByteArray EmboldenedFace(const QByteArray& regular, const QString& family) {
    TFace face = ReadFace(regular);
    if (face.tables.isEmpty())
        return {};
    const quint16 unitsPerEm = ReadU16(face.tables["head"], HeadUnitsPerEm);
    if (!EmboldenOutlines(face, regular, unitsPerEm / 24))
        return {};
    face.tables["name"] = NameTable(family, QStringLiteral("Bold"));
    return AssembleFace(face);
}
