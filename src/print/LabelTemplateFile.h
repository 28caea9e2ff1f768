#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// One file of the label templates that the free label programs share (Debian's
// glabels-data and the user's own folder): what its XML says, in millimetres, before
// anything is chosen from it. The format: a root element holding Template elements,
// each with brand, part, size (a paper name, or "Other" with width and height), an
// optional description (or _description) and equiv (the part of another template of
// the same brand that it copies), Meta elements (category, print) and one label shape
// (Label-rectangle with width, height, round, x_waste, y_waste, or waste for both)
// holding its Layout elements (nx, ny, x0, y0, dx, dy). Lengths are written with a unit
// (pt, in, mm, cm, pc) or bare, in points. The elements may stand in the format's own
// namespace or in none.
namespace LabelTemplateFile {

// nx by ny labels, the first with its corner at (x0, y0) from the sheet's top-left
// corner, the next ones dx across and dy down from the one before.
struct Layout {
    int nx = 0;
    int ny = 0;
    double x0 = 0;
    double y0 = 0;
    double dx = 0;
    double dy = 0;

    bool operator==(const Layout &) const = default;
};

struct Template {
    QString brand;
    QString part;
    QString equiv;
    QString description;
    QString paper;
    double paperWidth = 0;  // only for the paper "Other"
    double paperHeight = 0;
    QStringList categories;
    bool mirrored = false; // printed from behind, on film
    // The label shape: its element's name ("Label-rectangle", "Label-round", ...) and
    // how many shapes the template has (one in every template the programs make).
    QString shape;
    int shapes = 0;
    double width = 0;
    double height = 0;
    double round = 0;
    double xWaste = 0;
    double yWaste = 0;
    // In the order written, a layout written twice kept once.
    QList<Layout> layouts;
    // Empty unless a figure is no length, no count, or below zero: the attribute's name.
    QString problem;
};

struct Contents {
    QList<Template> templates;
    // Empty when the whole file was read; otherwise why it was not, and templates is empty.
    QString error;
};

// The largest number of templates one file may hold; a file with more is refused.
constexpr int TemplateLimit = 10000;

// Reads a whole file. A file with a document type declaration is refused before any of
// it is expanded: the library's files have none, and entities are how a small file
// grows into gigabytes.
Contents parse(const QByteArray &xml);

// A length in millimetres: a finite number with one of the units, or bare in points.
std::optional<double> lengthMm(QStringView text);

} // namespace LabelTemplateFile
