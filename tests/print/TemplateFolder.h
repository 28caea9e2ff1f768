#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <sys/stat.h>

// Folders of label templates for the tests: files written as the library writes them, and
// the files a hostile or broken folder holds.
namespace TemplateFolder {

inline const QByteArray Namespace = "http://glabels.org/xmlns/3.0/";

// One business-card template on A4: the attributes of its Label-rectangle and its layouts.
inline QByteArray sheet(const QByteArray &brand, const QByteArray &part, const QByteArray &rectangle,
                        const QByteArray &layouts, const QByteArray &more = {})
{
    return "  <Template brand=\"" + brand + "\" part=\"" + part + "\" size=\"A4\" _description=\"Business cards\">\n"
           "    <Meta category=\"card\"/>\n    <Meta category=\"business-card\"/>\n" + more +
           "    <Label-rectangle id=\"0\" " + rectangle + ">\n      <Markup-margin size=\"5\"/>\n" + layouts +
           "    </Label-rectangle>\n  </Template>\n";
}

inline QByteArray layout(const QByteArray &attributes)
{
    return "      <Layout " + attributes + "/>\n";
}

// A whole file of templates, in the format's namespace or in none.
inline QByteArray file(const QByteArray &templates, bool withNamespace = true)
{
    return "<?xml version=\"1.0\"?>\n<Glabels-templates" +
           (withNamespace ? " xmlns=\"" + Namespace + "\"" : QByteArray()) + ">\n" + templates +
           "</Glabels-templates>\n";
}

inline bool write(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile out(dir.filePath(name));
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

// A sheet of 85 x 55 mm cards that reads well, named as asked.
inline QByteArray goodSheet(const QByteArray &brand, const QByteArray &part)
{
    return sheet(brand, part, "width=\"85mm\" height=\"55mm\" round=\"0mm\"",
                 layout("nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"10.5mm\" dx=\"95mm\" dy=\"55mm\""));
}

// Writes what a user's folder may hold besides good templates: a file that does not parse,
// templates with absurd numbers, a sparse file of 100 MB, an entity bomb, a link to
// /dev/zero and a named pipe. Returns the names of the files that cannot be read at all.
inline QStringList writeHostileFiles(const QDir &dir)
{
    write(dir, QStringLiteral("broken-templates.xml"),
          "<?xml version=\"1.0\"?>\n<Glabels-templates>\n  <Template brand=\"Kapot\" part=\"1\" size=\"A4\">\n");
    write(dir, QStringLiteral("absurd-templates.xml"),
          file(sheet("Absurd", "NaN", "width=\"nan\" height=\"55mm\"",
                     layout("nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"10mm\" dx=\"95mm\" dy=\"55mm\"")) +
               sheet("Absurd", "Oneindig", "width=\"85mm\" height=\"1e999mm\"",
                     layout("nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"10mm\" dx=\"95mm\" dy=\"55mm\"")) +
               sheet("Absurd", "Negatief", "width=\"85mm\" height=\"55mm\"",
                     layout("nx=\"2\" ny=\"5\" x0=\"-14mm\" y0=\"10mm\" dx=\"95mm\" dy=\"55mm\"")) +
               sheet("Absurd", "Groter", "width=\"250mm\" height=\"55mm\"",
                     layout("nx=\"2\" ny=\"5\" x0=\"14mm\" y0=\"10mm\" dx=\"250mm\" dy=\"55mm\""))));
    QFile big(dir.filePath(QStringLiteral("big-templates.xml")));
    if (big.open(QIODevice::WriteOnly))
        big.resize(100 * 1024 * 1024); // sparse: nothing is written
    QByteArray bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE Glabels-templates [\n <!ENTITY a0 \"kaartjeskaartjes\">\n";
    for (int level = 1; level <= 12; ++level) {
        bomb += " <!ENTITY a" + QByteArray::number(level) + " \"";
        for (int i = 0; i < 10; ++i)
            bomb += "&a" + QByteArray::number(level - 1) + ";";
        bomb += "\">\n";
    }
    bomb += "]>\n<Glabels-templates>\n  <Template brand=\"&a12;\" part=\"1\" size=\"A4\"/>\n</Glabels-templates>\n";
    write(dir, QStringLiteral("bomb-templates.xml"), bomb);
    QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("zero-templates.xml")));
    ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe-templates.xml"))).constData(), 0600);
    return {QStringLiteral("big-templates.xml"), QStringLiteral("bomb-templates.xml"),
            QStringLiteral("broken-templates.xml"), QStringLiteral("pipe-templates.xml"),
            QStringLiteral("zero-templates.xml")};
}

} // namespace TemplateFolder
