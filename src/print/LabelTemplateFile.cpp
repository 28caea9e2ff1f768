#include "print/LabelTemplateFile.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>

namespace LabelTemplateFile {

namespace {

constexpr double MmPerPoint = 25.4 / 72;
// A figure longer than this is no length anyone wrote by hand or by program.
constexpr qsizetype LongestLength = 40;
constexpr int MostLabelsAcross = 1000;
constexpr qsizetype LongestText = 200;

bool isOurs(QStringView namespaceUri)
{
    return namespaceUri.isEmpty() || namespaceUri.startsWith(u"http://glabels.org/xmlns/");
}

// A name or a description as the combo box shows it: one line, of a sane length.
QString plainText(QStringView text)
{
    QString plain = text.trimmed().left(LongestText).toString();
    for (QChar &c : plain)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return plain;
}

class Reader {
public:
    explicit Reader(const QByteArray &xml) : m_xml(xml) { m_xml.setNamespaceProcessing(true); }

    Contents run()
    {
        Contents contents;
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                return {{}, QStringLiteral("het bestand declareert een documenttype")};
            case QXmlStreamReader::StartElement:
                if (!isOurs(m_xml.namespaceUri()))
                    m_xml.skipCurrentElement();
                else if (m_xml.name() == u"Template") {
                    if (contents.templates.size() == TemplateLimit)
                        return {{}, QStringLiteral("meer dan %1 sjablonen").arg(TemplateLimit)};
                    contents.templates.append(readTemplate());
                }
                break; // the root and any other element of ours: the templates may lie inside
            default:
                break;
            }
        }
        if (m_xml.hasError())
            return {{}, m_xml.errorString()};
        return contents;
    }

private:
    QStringView attribute(const char *name) const { return m_xml.attributes().value(QLatin1String(name)); }
    bool has(const char *name) const { return m_xml.attributes().hasAttribute(QLatin1String(name)); }

    // A length that must be there; below zero or unreadable marks the template.
    double length(Template &t, const char *name, bool required)
    {
        if (!has(name)) {
            if (required && t.problem.isEmpty())
                t.problem = QLatin1String(name);
            return 0;
        }
        const std::optional<double> mm = lengthMm(attribute(name));
        if ((!mm || *mm < 0) && t.problem.isEmpty())
            t.problem = QLatin1String(name);
        return mm && *mm >= 0 ? *mm : 0;
    }

    int count(Template &t, const char *name)
    {
        bool ok = false;
        const int n = attribute(name).trimmed().toInt(&ok);
        if ((!ok || n < 1 || n > MostLabelsAcross) && t.problem.isEmpty())
            t.problem = QLatin1String(name);
        return ok ? n : 0;
    }

    Template readTemplate()
    {
        Template t;
        t.brand = plainText(attribute("brand"));
        t.part = plainText(attribute("part"));
        t.equiv = plainText(attribute("equiv"));
        t.description = plainText(has("description") ? attribute("description")
                                                                        : attribute("_description"));
        t.paper = attribute("size").trimmed().toString();
        if (t.paper == u"Other") {
            t.paperWidth = length(t, "width", true);
            t.paperHeight = length(t, "height", true);
        }
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (!isOurs(m_xml.namespaceUri()))
                m_xml.skipCurrentElement();
            else if (name == u"Meta") {
                const QStringView category = attribute("category");
                if (!category.isEmpty() && !t.categories.contains(category))
                    t.categories.append(plainText(category));
                if (attribute("print") == u"mirrored")
                    t.mirrored = true;
                m_xml.skipCurrentElement();
            } else if (name.startsWith(u"Label-")) {
                ++t.shapes;
                t.shape = name.toString();
                if (name == u"Label-rectangle" && t.shapes == 1)
                    readRectangle(t);
                else
                    m_xml.skipCurrentElement();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return t;
    }

    void readRectangle(Template &t)
    {
        t.width = length(t, "width", true);
        t.height = length(t, "height", true);
        t.round = length(t, "round", false);
        // The older files give one waste for both directions.
        const double waste = length(t, "waste", false);
        t.xWaste = has("x_waste") ? length(t, "x_waste", false) : waste;
        t.yWaste = has("y_waste") ? length(t, "y_waste", false) : waste;
        while (m_xml.readNextStartElement()) {
            if (isOurs(m_xml.namespaceUri()) && m_xml.name() == u"Layout") {
                Layout layout;
                layout.nx = count(t, "nx");
                layout.ny = count(t, "ny");
                layout.x0 = length(t, "x0", true);
                layout.y0 = length(t, "y0", true);
                // The pitch only matters where there is a next label.
                layout.dx = length(t, "dx", layout.nx > 1);
                layout.dy = length(t, "dy", layout.ny > 1);
                if (!t.layouts.contains(layout))
                    t.layouts.append(layout);
            }
            m_xml.skipCurrentElement();
        }
    }

    QXmlStreamReader m_xml;
};

} // namespace

std::optional<double> lengthMm(QStringView text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)\\s*(pt|in|mm|cm|pc)?\\s*$"));
    if (text.size() > LongestLength)
        return std::nullopt;
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double number = match.capturedView(1).toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    const QStringView unit = match.capturedView(2);
    double mm = number * MmPerPoint; // bare: points
    if (unit == u"in")
        mm = number * 25.4;
    else if (unit == u"mm")
        mm = number;
    else if (unit == u"cm")
        mm = number * 10;
    else if (unit == u"pc")
        mm = number * 12 * MmPerPoint;
    if (!std::isfinite(mm))
        return std::nullopt;
    return mm;
}

Contents parse(const QByteArray &xml)
{
    return Reader(xml).run();
}

} // namespace LabelTemplateFile
