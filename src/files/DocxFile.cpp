#include "files/DocxFile.h"

#include "data/XmlText.h"
#include "files/TextFile.h"
#include "files/TextReport.h"

#include <QDateTime>
#include <memory>
#include <zip.h>

namespace vexa {

namespace {

const QString Declaration = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)");

const QString ContentTypes =
    Declaration +
    QStringLiteral(
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
        R"(<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
        R"(<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>)"
        R"(</Types>)");

const QString PackageRelationships =
    Declaration +
    QStringLiteral(
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
        R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>)"
        R"(</Relationships>)");

// Without this relationship Word ignores the styles part.
const QString DocumentRelationships =
    Declaration +
    QStringLiteral(
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
        R"(</Relationships>)");

// The report's columns line up only in a monospaced font; all four font slots name it, so that no script
// of the text falls back to a proportional one.
const QString Font = QStringLiteral(R"(<w:rFonts w:ascii="Lucida Console" w:hAnsi="Lucida Console" )"
                                    R"(w:cs="Lucida Console" w:eastAsia="Lucida Console"/>)");
const QString TenPoints = QStringLiteral(R"(<w:sz w:val="20"/><w:szCs w:val="20"/>)");
const QString Single =
    QStringLiteral(R"(<w:spacing w:before="0" w:after="0" w:line="240" w:lineRule="auto"/>)");

const QString Styles =
    Declaration +
    QStringLiteral(R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
                   R"(<w:docDefaults><w:rPrDefault><w:rPr>)") +
    Font + TenPoints + QStringLiteral(R"(</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr>)") + Single +
    QStringLiteral(R"(</w:pPr></w:pPrDefault></w:docDefaults>)"
                   R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/>)"
                   R"(</w:style></w:styles>)");

const QString ParagraphStart = QStringLiteral("<w:p><w:pPr>") + Single + QStringLiteral("</w:pPr>");
const QString RunStart = QStringLiteral("<w:r><w:rPr>") + Font +
                         QStringLiteral(R"(<w:b w:val="0"/><w:bCs w:val="0"/>)") + TenPoints +
                         QStringLiteral(R"(</w:rPr><w:t xml:space="preserve">)");

// A4 in twentieths of a point, 2 cm (1134) margins.
const QString Section = QStringLiteral(
    R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1134" w:right="1134" w:bottom="1134" )"
    R"(w:left="1134" w:header="709" w:footer="709" w:gutter="0"/></w:sectPr>)");

QString documentPart(const QStringList& lines) {
    QString xml = Declaration;
    xml.reserve(lines.size() * (ParagraphStart.size() + RunStart.size() + 100));
    xml += QStringLiteral(
        R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)");
    for (const QString& line : lines) {
        xml += ParagraphStart;
        // An empty line is an empty paragraph: its height comes from the defaults' font.
        if (!line.isEmpty())
            xml += RunStart + xmlEscaped(line) + QStringLiteral("</w:t></w:r>");
        xml += QStringLiteral("</w:p>");
    }
    xml += Section + QStringLiteral("</w:body></w:document>");
    return xml;
}

QString corePart(const QString& title) {
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    return Declaration +
           QStringLiteral(
               R"(<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" )"
               R"(xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/" )"
               R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"><dc:title>)") +
           xmlEscaped(title) + QStringLiteral(R"(</dc:title><dcterms:created xsi:type="dcterms:W3CDTF">)") +
           now + QStringLiteral(R"(</dcterms:created><dcterms:modified xsi:type="dcterms:W3CDTF">)") + now +
           QStringLiteral(R"(</dcterms:modified></cp:coreProperties>)");
}

struct FreeSource {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, FreeSource>;

struct Part {
    const char* name;
    QByteArray bytes;
};

QString zipFailure(zip_error_t* error) {
    return QStringLiteral("the document could not be put together: ") +
           QString::fromUtf8(zip_error_strerror(error));
}

// The parts into `archive`, which is closed (or discarded) in every case.
std::optional<QString> zipParts(zip_t* archive, const std::vector<Part>& parts) {
    for (const Part& part : parts) {
        zip_source_t* source =
            zip_source_buffer(archive, part.bytes.constData(), zip_uint64_t(part.bytes.size()), 0);
        if (!source || zip_file_add(archive, part.name, source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            const QString failure = zipFailure(zip_get_error(archive));
            zip_discard(archive);
            return failure;
        }
    }
    if (zip_close(archive) != 0) {
        const QString failure = zipFailure(zip_get_error(archive));
        zip_discard(archive);
        return failure;
    }
    return std::nullopt;
}

// What closing the archive wrote into `buffer`.
DocxDocument readBack(zip_source_t* buffer) {
    if (zip_source_open(buffer) != 0)
        return {{}, zipFailure(zip_source_error(buffer))};
    DocxDocument document;
    zip_int64_t size = -1;
    if (zip_source_seek(buffer, 0, SEEK_END) == 0)
        size = zip_source_tell(buffer);
    if (size >= 0 && zip_source_seek(buffer, 0, SEEK_SET) == 0) {
        document.bytes.resize(qsizetype(size));
        if (zip_source_read(buffer, document.bytes.data(), zip_uint64_t(size)) != size)
            size = -1;
    }
    if (size < 0)
        document = {{}, zipFailure(zip_source_error(buffer))};
    zip_source_close(buffer);
    return document;
}

} // namespace

DocxDocument docxDocument(const MeasurementSheet& sheet) {
    // The parts' bytes stay here until the archive is closed: the archive reads them only then.
    const std::vector<Part> parts{
        {"[Content_Types].xml", ContentTypes.toUtf8()},
        {"_rels/.rels", PackageRelationships.toUtf8()},
        {"word/document.xml", documentPart(reportLines(sheet, ReportMode::All)).toUtf8()},
        {"word/_rels/document.xml.rels", DocumentRelationships.toUtf8()},
        {"word/styles.xml", Styles.toUtf8()},
        {"docProps/core.xml", corePart(sheet.statisticsList().value(0).trimmed()).toUtf8()},
    };
    zip_error_t error;
    zip_error_init(&error);
    const Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    zip_t* archive = buffer ? zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error) : nullptr;
    if (!archive) {
        const QString failure = zipFailure(&error);
        zip_error_fini(&error);
        return {{}, failure};
    }
    zip_error_fini(&error);
    // Closing the archive writes into the buffer and would free it: it is kept to be read.
    zip_source_keep(buffer.get());
    if (std::optional<QString> failure = zipParts(archive, parts))
        return {{}, failure};
    return readBack(buffer.get());
}

std::optional<QString> writeDocx(const MeasurementSheet& sheet, const QString& path) {
    const DocxDocument document = docxDocument(sheet);
    if (document.error)
        return document.error;
    return writeFileBytes(path, document.bytes);
}

} // namespace vexa
