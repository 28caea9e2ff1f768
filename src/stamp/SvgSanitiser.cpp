#include "stamp/SvgSanitiser.h"

#include "stamp/DecodeBudget.h"
#include "stamp/PhotoLoader.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <vector>

namespace {

const QString SvgNs = QStringLiteral("http://www.w3.org/2000/svg");
const QString XlinkNs = QStringLiteral("http://www.w3.org/1999/xlink");
const QString XmlNs = QStringLiteral("http://www.w3.org/XML/1998/namespace");

// What Qt SVG draws of a logo. Left out on purpose: animation, SVG fonts, <foreignObject>,
// <script>, <handler>, <video>, <prefetch>, and what draws through an offscreen picture
// (masks, filters, patterns, markers), whose cost grows with the size drawn at.
const QSet<QString> &keptElements()
{
    static const QSet<QString> names{
        QStringLiteral("svg"),      QStringLiteral("g"),          QStringLiteral("defs"),
        QStringLiteral("use"),      QStringLiteral("path"),       QStringLiteral("rect"),
        QStringLiteral("circle"),   QStringLiteral("ellipse"),    QStringLiteral("line"),
        QStringLiteral("polyline"), QStringLiteral("polygon"),    QStringLiteral("text"),
        QStringLiteral("tspan"),    QStringLiteral("tbreak"),     QStringLiteral("textArea"),
        QStringLiteral("linearGradient"), QStringLiteral("radialGradient"), QStringLiteral("stop"),
        QStringLiteral("solidColor"), QStringLiteral("image"),    QStringLiteral("switch"),
        QStringLiteral("style"),    QStringLiteral("a"),
    };
    return names;
}

// What an element's attributes or a style may set about its look.
const QSet<QString> &presentation()
{
    static const QSet<QString> names{
        QStringLiteral("color"), QStringLiteral("color-opacity"), QStringLiteral("fill"),
        QStringLiteral("fill-opacity"), QStringLiteral("fill-rule"), QStringLiteral("stroke"),
        QStringLiteral("stroke-width"), QStringLiteral("stroke-opacity"), QStringLiteral("stroke-linecap"),
        QStringLiteral("stroke-linejoin"), QStringLiteral("stroke-miterlimit"), QStringLiteral("stroke-dasharray"),
        QStringLiteral("stroke-dashoffset"), QStringLiteral("opacity"), QStringLiteral("display"),
        QStringLiteral("visibility"), QStringLiteral("font-family"), QStringLiteral("font-size"),
        QStringLiteral("font-style"), QStringLiteral("font-weight"), QStringLiteral("font-variant"),
        QStringLiteral("text-anchor"), QStringLiteral("stop-color"), QStringLiteral("stop-opacity"),
        QStringLiteral("solid-color"), QStringLiteral("solid-opacity"), QStringLiteral("vector-effect"),
        QStringLiteral("image-rendering"), QStringLiteral("shape-rendering"), QStringLiteral("text-rendering"),
        QStringLiteral("viewport-fill"), QStringLiteral("viewport-fill-opacity"), QStringLiteral("comp-op"),
        QStringLiteral("letter-spacing"), QStringLiteral("word-spacing"), QStringLiteral("text-decoration"),
    };
    return names;
}

// Where things stand and how they are shaped.
const QSet<QString> &geometry()
{
    static const QSet<QString> names{
        QStringLiteral("id"), QStringLiteral("class"), QStringLiteral("style"), QStringLiteral("transform"),
        QStringLiteral("viewBox"), QStringLiteral("preserveAspectRatio"), QStringLiteral("width"),
        QStringLiteral("height"), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("x1"),
        QStringLiteral("y1"), QStringLiteral("x2"), QStringLiteral("y2"), QStringLiteral("cx"),
        QStringLiteral("cy"), QStringLiteral("r"), QStringLiteral("rx"), QStringLiteral("ry"),
        QStringLiteral("fx"), QStringLiteral("fy"), QStringLiteral("d"), QStringLiteral("points"),
        QStringLiteral("dx"), QStringLiteral("dy"), QStringLiteral("offset"), QStringLiteral("gradientUnits"),
        QStringLiteral("gradientTransform"), QStringLiteral("spreadMethod"), QStringLiteral("version"),
        QStringLiteral("baseProfile"), QStringLiteral("requiredFeatures"), QStringLiteral("systemLanguage"),
    };
    return names;
}

bool isTextual(QStringView element)
{
    return element == u"text" || element == u"tspan" || element == u"textArea" || element == u"style";
}

const QRegularExpression &idPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.:-]{0,255}$"));
    return pattern;
}

const QRegularExpression &ownUrl()
{
    static const QRegularExpression pattern(QStringLiteral("url\\(\\s*#[A-Za-z_][A-Za-z0-9_.:-]*\\s*\\)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// A value that reaches nothing outside the drawing: any url() names one of its own parts.
// A backslash (a CSS escape can spell "url" otherwise) and an at-rule (@import) are
// never needed by a logo and refused outright.
bool staysInside(QStringView value)
{
    if (value.contains(u'\\') || value.contains(u'@'))
        return false;
    if (!value.contains(QLatin1String("url"), Qt::CaseInsensitive))
        return true;
    QString rest = value.toString();
    rest.remove(ownUrl());
    return !rest.contains(QLatin1String("url"), Qt::CaseInsensitive);
}

// The fragment a reference names (#id), or nothing when it names anything else.
QString fragmentOf(QStringView reference)
{
    reference = reference.trimmed();
    if (!reference.startsWith(u'#'))
        return {};
    const QString id = reference.sliced(1).toString();
    return idPattern().match(id).hasMatch() ? id : QString();
}

// The numbers of a path's data or a polygon's points; the drawing's work grows with them.
qint64 countNumbers(QStringView text)
{
    qint64 numbers = 0;
    qsizetype i = 0;
    const qsizetype size = text.size();
    const auto digit = [&](qsizetype at) { return at < size && text[at] >= u'0' && text[at] <= u'9'; };
    while (i < size) {
        if (!digit(i) && !(text[i] == u'.' && digit(i + 1))) {
            ++i;
            continue;
        }
        ++numbers;
        while (digit(i))
            ++i;
        if (i < size && text[i] == u'.') {
            ++i;
            while (digit(i))
                ++i;
        }
        if (i < size && (text[i] == u'e' || text[i] == u'E')) {
            qsizetype exponent = i + 1;
            if (exponent < size && (text[exponent] == u'+' || text[exponent] == u'-'))
                ++exponent;
            if (digit(exponent)) {
                i = exponent;
                while (digit(i))
                    ++i;
            }
        }
    }
    return numbers;
}

// A style attribute with only the declarations about the element's look that stay inside.
QString filteredStyle(QStringView style)
{
    QStringList kept;
    for (QStringView declaration : style.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon <= 0)
            continue;
        const QString name = declaration.first(colon).trimmed().toString().toLower();
        const QStringView value = declaration.sliced(colon + 1).trimmed();
        if (presentation().contains(name) && staysInside(value) && !value.contains(QLatin1String("/*")))
            kept << name + u':' + value.toString();
    }
    return kept.join(u';');
}

struct Work {
    qint64 elements = 0;
    qint64 numbers = 0;
    qint64 pixels = 0;

    Work &operator+=(const Work &other)
    {
        elements += other.elements;
        numbers += other.numbers;
        pixels += other.pixels;
        return *this;
    }
    Work operator-(const Work &other) const
    {
        return {elements - other.elements, numbers - other.numbers, pixels - other.pixels};
    }
};

QString damaged() { return QStringLiteral("de SVG-tekening is beschadigd"); }

QByteArray pngOf(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? png : QByteArray();
}

// Reads one drawing and writes it anew; a picture inside it that is an SVG again is read
// by one of its own, one level deeper, sharing the work counted so far.
class Rewriter
{
public:
    Rewriter(const SvgSanitiser::Caps &caps, Work &work, int level) : m_caps(caps), m_work(work), m_level(level) {}

    SvgSanitiser::Result run(const QByteArray &bytes)
    {
        QXmlStreamReader in(bytes);
        // Only the entities a DTD declares are expanded, and only so far; nothing is
        // fetched for one.
        in.setNamespaceProcessing(true);
        QByteArray svg;
        QXmlStreamWriter out(&svg);
        m_in = &in;
        m_out = &out;
        out.writeStartDocument();
        while (m_fault.isEmpty() && !in.atEnd()) {
            switch (in.readNext()) {
            case QXmlStreamReader::StartElement:
                start();
                break;
            case QXmlStreamReader::EndElement:
                end();
                break;
            case QXmlStreamReader::Characters:
                characters();
                break;
            default: // processing instructions, the DTD, comments, unresolved entities
                break;
            }
        }
        if (!m_fault.isEmpty())
            return {QByteArray(), m_fault};
        if (in.hasError() || !m_sawRoot || !m_open.empty())
            return {QByteArray(), m_sawRoot || in.hasError() ? damaged() : QStringLiteral("het is geen SVG-tekening")};
        out.writeEndDocument();
        // A value the writer could not encode (a lone surrogate of a damaged UTF-16 file)
        // leaves it writing empty names from then on: such a text is no drawing.
        if (out.hasError())
            return {QByteArray(), damaged()};
        return {svg, QString()};
    }

private:
    struct Open {
        QString name;
        QString id;
        Work before;
        QString styleText;
    };

    // A drawing beyond a cap is refused as a whole, however deep inside it the excess lies.
    void refuse(const QString &reason)
    {
        m_fault = reason;
        m_capped = true;
    }

    void count(const Work &more)
    {
        m_work += more;
        if (m_work.elements > m_caps.elements)
            refuse(QStringLiteral("de tekening heeft te veel onderdelen (meer dan %1)").arg(m_caps.elements));
        else if (m_work.numbers > m_caps.pathNumbers)
            refuse(QStringLiteral("de paden van de tekening hebben te veel punten (meer dan %1 coördinaten)")
                       .arg(m_caps.pathNumbers));
        else if (m_work.pixels > m_caps.pictures)
            refuse(tooManyPixels());
    }

    QString tooManyPixels() const
    {
        return QStringLiteral("de afbeeldingen in de tekening zijn samen te groot (meer dan %1 megapixels)")
            .arg(m_caps.pictures >> 20);
    }

    void skip() { m_in->skipCurrentElement(); }

    static QStringView hrefOf(const QXmlStreamAttributes &attributes)
    {
        for (const QXmlStreamAttribute &attribute : attributes)
            if (attribute.name() == u"href"
                && (attribute.namespaceUri().isEmpty() || attribute.namespaceUri() == XlinkNs))
                return attribute.value();
        return {};
    }

    void start()
    {
        const QStringView name = m_in->name();
        const QStringView ns = m_in->namespaceUri();
        const bool svgElement = ns.isEmpty() || ns == SvgNs;
        if (m_open.empty()) {
            if (m_sawRoot || !svgElement || name != u"svg") {
                m_fault = m_sawRoot ? damaged() : QStringLiteral("het is geen SVG-tekening");
                return;
            }
            m_sawRoot = true;
        } else if (!svgElement || name == u"svg" || !keptElements().contains(name.toString())) {
            skip();
            return;
        }
        if (int(m_open.size()) >= m_caps.depth) {
            refuse(QStringLiteral("de tekening is te diep genest (meer dan %1 niveaus)").arg(m_caps.depth));
            return;
        }
        const QXmlStreamAttributes attributes = m_in->attributes();
        const Work before = m_work;
        QString href;
        if (name == u"image") {
            href = embedded(hrefOf(attributes));
            if (!m_fault.isEmpty())
                return;
            if (href.isEmpty()) {
                skip();
                return;
            }
        } else if (name == u"use") {
            // Only a part that is whole already: no use can then repeat itself, and what
            // it repeats is counted as often as it is drawn.
            const QString id = fragmentOf(hrefOf(attributes));
            if (!m_finished.contains(id)) {
                skip();
                return;
            }
            count(m_finished.value(id));
            href = u'#' + id;
        } else if (name == u"linearGradient" || name == u"radialGradient") {
            const QString id = fragmentOf(hrefOf(attributes));
            if (m_finished.contains(id))
                href = u'#' + id;
        }
        count({1, 0, 0});
        if (!m_fault.isEmpty())
            return;

        if (m_open.empty()) {
            m_out->writeDefaultNamespace(SvgNs);
            m_out->writeNamespace(XlinkNs, QStringLiteral("xlink"));
        }
        const QString element = name == u"a" ? QStringLiteral("g") : name.toString();
        m_out->writeStartElement(SvgNs, element);
        QString id;
        for (const QXmlStreamAttribute &attribute : attributes) {
            if (attribute.namespaceUri() == XmlNs && attribute.name() == u"space") {
                m_out->writeAttribute(XmlNs, QStringLiteral("space"), attribute.value().toString());
                continue;
            }
            if (!attribute.namespaceUri().isEmpty())
                continue;
            const QString key = attribute.name().toString();
            QString value = attribute.value().toString();
            if (key == u"type") {
                if (element == u"style" && value.trimmed().compare(u"text/css", Qt::CaseInsensitive) == 0)
                    m_out->writeAttribute(key, value);
                continue;
            }
            if (!geometry().contains(key) && !presentation().contains(key))
                continue;
            if (key == u"id") {
                // One part per name, so that a reference cannot mean another part than
                // the one that was counted.
                if (!idPattern().match(value).hasMatch() || m_ids.contains(value))
                    continue;
                m_ids.insert(value);
                id = value;
            } else if (key == u"style") {
                value = filteredStyle(value);
                if (value.isEmpty())
                    continue;
            } else if (!staysInside(value)) {
                continue;
            }
            if (key == u"d" || key == u"points") {
                count({0, countNumbers(value), 0});
                if (!m_fault.isEmpty())
                    return;
            }
            m_out->writeAttribute(key, value);
        }
        if (!href.isEmpty())
            m_out->writeAttribute(XlinkNs, QStringLiteral("href"), href);
        m_open.push_back({element, id, before, QString()});
    }

    void end()
    {
        Open &closing = m_open.back();
        if (closing.name == u"style" && !closing.styleText.isEmpty() && staysInside(closing.styleText))
            m_out->writeCharacters(closing.styleText);
        m_out->writeEndElement();
        if (!closing.id.isEmpty())
            m_finished.insert(closing.id, m_work - closing.before);
        m_open.pop_back();
    }

    void characters()
    {
        if (m_open.empty() || !isTextual(m_open.back().name))
            return;
        const QStringView text = m_in->text();
        if (m_open.back().name == u"style") {
            m_open.back().styleText += text;
            return;
        }
        count({text.size(), 0, 0});
        if (m_fault.isEmpty())
            m_out->writeCharacters(text.toString());
    }

    // The picture a data: address holds, decoded by the program and written as PNG; an
    // empty address when there is none the program draws.
    QString embedded(QStringView href)
    {
        href = href.trimmed();
        if (!href.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
            return {};
        const qsizetype comma = href.indexOf(u',');
        if (comma < 0)
            return {};
        const QStringView header = href.first(comma);
        QString payload = href.sliced(comma + 1).toString();
        QByteArray bytes;
        if (header.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)) {
            payload.remove(QRegularExpression(QStringLiteral("\\s")));
            const auto decoded =
                QByteArray::fromBase64Encoding(payload.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded)
                return {};
            bytes = *decoded;
        } else {
            bytes = QByteArray::fromPercentEncoding(payload.toUtf8());
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const QByteArray format = QImageReader::imageFormat(&buffer);
        const QByteArray picture = format == "svg" ? drawnSvg(bytes) : decodedPicture(bytes, format);
        if (picture.isEmpty())
            return {};
        const bool jpeg = picture.startsWith("\xFF\xD8\xFF");
        return (jpeg ? QStringLiteral("data:image/jpeg;base64,") : QStringLiteral("data:image/png;base64,"))
               + QString::fromLatin1(picture.toBase64());
    }

    bool takePixels(QSize size)
    {
        const qint64 pixels = qint64(size.width()) * size.height();
        if (pixels > m_caps.pictures - m_work.pixels) {
            refuse(tooManyPixels());
            return false;
        }
        count({0, 0, pixels});
        return m_fault.isEmpty();
    }

    // An SVG inside the logo is drawn as Qt SVG's picture plugin would draw it, at its own
    // size, but from its own rewriting.
    QByteArray drawnSvg(const QByteArray &bytes)
    {
        if (m_level >= m_caps.svgInPicture) {
            refuse(QStringLiteral("de tekening bevat te diep geneste SVG-afbeeldingen"));
            return {};
        }
        Rewriter inner(m_caps, m_work, m_level + 1);
        const SvgSanitiser::Result rewritten = inner.run(bytes);
        if (!rewritten) {
            // A damaged SVG inside draws nothing, as Qt's plugin would draw it.
            if (inner.m_capped)
                refuse(rewritten.fault);
            return {};
        }
        QSvgRenderer renderer(rewritten.svg);
        const QSize size = renderer.defaultSize();
        if (!renderer.isValid() || size.isEmpty() || !takePixels(size))
            return {};
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return {};
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        return pngOf(image);
    }

    // A bitmap through the photos' own guarded decoding: its size from the header first.
    QByteArray decodedPicture(const QByteArray &bytes, const QByteArray &format)
    {
        if (format != "png" && format != "jpeg" && format != "gif" && format != "bmp" && format != "webp")
            return {};
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, format);
        const QSize claimed = DecodeBudget::decodedSize(format, bytes, reader.size());
        if (claimed.isEmpty() || !takePixels(claimed))
            return {};
        PhotoLoader::Use use;
        use.keepAlpha = true;
        const PhotoLoader::Loaded loaded = PhotoLoader::fromBytes(bytes, use);
        if (loaded.fault == PhotoLoader::Fault::TooLarge)
            refuse(tooManyPixels());
        if (loaded.picture.isNull())
            return {};
        // A PNG or a JPEG that decoded is drawn by the same decoder again (a photo as PNG
        // would take many times its size); anything else is written anew as PNG.
        return format == "png" || format == "jpeg" ? bytes : pngOf(loaded.picture);
    }

    const SvgSanitiser::Caps &m_caps;
    Work &m_work;
    const int m_level;
    QXmlStreamReader *m_in = nullptr;
    QXmlStreamWriter *m_out = nullptr;
    std::vector<Open> m_open;
    QSet<QString> m_ids;
    QHash<QString, Work> m_finished;
    bool m_sawRoot = false;
    QString m_fault;
    bool m_capped = false;
};

} // namespace

namespace SvgSanitiser {

Result sanitise(const QByteArray &bytes, const Caps &caps)
{
    Work work;
    Result rewritten = Rewriter(caps, work, 0).run(bytes);
    // The rewriting is read back as the renderer will read it; whatever it could not show
    // to name only itself is refused rather than drawn.
    if (rewritten && !namesOnlyItself(rewritten.svg))
        return {QByteArray(), damaged()};
    return rewritten;
}

bool namesOnlyItself(const QByteArray &svg)
{
    QXmlStreamReader xml(svg);
    QString element;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return false;
        case QXmlStreamReader::Characters:
            if (element == u"style" && !staysInside(xml.text()))
                return false;
            break;
        case QXmlStreamReader::StartElement:
            element = xml.name().toString();
            for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                const QStringView value = attribute.value();
                if (attribute.name() == u"href") {
                    if (value.startsWith(QLatin1String("data:image/png;base64,"))) {
                        if (!QByteArray::fromBase64(value.sliced(22).toLatin1()).startsWith("\x89PNG\r\n\x1a\n"))
                            return false;
                    } else if (value.startsWith(QLatin1String("data:image/jpeg;base64,"))) {
                        if (!QByteArray::fromBase64(value.sliced(23).toLatin1()).startsWith("\xFF\xD8\xFF"))
                            return false;
                    } else if (fragmentOf(value).isEmpty()) {
                        return false;
                    }
                } else if (!staysInside(value)) {
                    return false;
                }
            }
            break;
        default:
            break;
        }
    }
    return !xml.hasError();
}

} // namespace SvgSanitiser
