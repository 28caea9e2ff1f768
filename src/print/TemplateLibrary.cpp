#include "print/TemplateLibrary.h"

#include "core/RegularFile.h"
#include "print/MarginsForm.h"

#include <QCollator>
#include <QDir>
#include <QHash>
#include <QMutex>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

using LabelTemplateFile::Layout;
using LabelTemplateFile::Template;

namespace TemplateLibrary {

namespace {

constexpr double A4WidthMm = 210;
constexpr double A4HeightMm = 297;
// How far a template's figures may miss by their own rounding: a sheet a hair off A4, a
// pitch a hair short of its card, a last card a hair over the edge. What misses by more
// is a sheet this program would print wrong.
constexpr double SlackMm = 0.5;
// Two single columns belong to one sheet when they start at the same height with the
// same pitch down.
constexpr double SameMm = 0.01;
// An equiv may name a template that is itself a copy; a chain longer than this is a loop.
constexpr int LongestEquivChain = 8;
const QString BusinessCard = QStringLiteral("business-card");

struct Found {
    Template t;
    QString file;
};

QString key(const QString &brand, const QString &part)
{
    return brand + QChar(0x1f) + part;
}

// The template an equiv copies, under the copy's own name, description and categories.
std::optional<Template> resolve(const Template &t, const QList<Found> &all, const QHash<QString, qsizetype> &byName)
{
    const Template *base = &t;
    for (int step = 0; !base->equiv.isEmpty(); ++step) {
        const auto original = byName.constFind(key(t.brand, base->equiv));
        if (step == LongestEquivChain || original == byName.constEnd())
            return std::nullopt;
        base = &all.at(*original).t;
    }
    if (base == &t)
        return t;
    Template copy = *base;
    copy.brand = t.brand;
    copy.part = t.part;
    if (!t.description.isEmpty())
        copy.description = t.description;
    for (const QString &category : t.categories)
        if (!copy.categories.contains(category))
            copy.categories.append(category);
    copy.mirrored = copy.mirrored || t.mirrored;
    if (copy.problem.isEmpty())
        copy.problem = t.problem;
    return copy;
}

bool isA4(const Template &t)
{
    if (t.paper == u"A4")
        return true;
    return t.paper == u"Other" && std::abs(t.paperWidth - A4WidthMm) <= SlackMm &&
           std::abs(t.paperHeight - A4HeightMm) <= SlackMm;
}

// The sheet as one layout of two columns: as written, or put together from two single
// columns side by side.
std::optional<Layout> twoColumns(const QList<Layout> &layouts)
{
    if (layouts.size() == 1 && layouts.first().nx == 2)
        return layouts.first();
    if (layouts.size() != 2)
        return std::nullopt;
    Layout left = layouts.at(0);
    Layout right = layouts.at(1);
    if (right.x0 < left.x0)
        std::swap(left, right);
    if (left.nx != 1 || right.nx != 1 || left.ny != right.ny || std::abs(left.y0 - right.y0) > SameMm ||
        std::abs(left.dy - right.dy) > SameMm || right.x0 - left.x0 <= 0)
        return std::nullopt;
    Layout both = left;
    both.nx = 2;
    both.dx = right.x0 - left.x0;
    return both;
}

// Each field as the dialog checks what is typed into it: a short number within the
// range printing takes.
bool fitsTheFields(const CardStock &stock)
{
    const QLocale c = QLocale::c();
    const PrintSettings s = stock.settings(c);
    const std::pair<GeneralValue, SheetSetting> fields[] = {
        {s.PrintMarginA, SheetSettings::MarginA},   {s.PrintMarginB, SheetSettings::MarginB},
        {s.CardWidthMm, SheetSettings::CardWidth},  {s.CardHeightMm, SheetSettings::CardHeight},
        {s.PrintOffsetH, SheetSettings::OffsetH},
    };
    for (const auto &[value, range] : fields)
        if (!MarginsForm::acceptsFieldText(value.text(), c) || !range.accepts(value.toNumber()))
            return false;
    return MarginsForm::acceptsFieldText(QString::number(s.PrintOffsetV), c) &&
           SheetSettings::OffsetV.accepts(s.PrintOffsetV);
}

struct Cache {
    QMutex mutex;
    std::optional<QStringList> folders;
    std::optional<Reading> reading;
    std::optional<QList<CardStock>> offered;
};

Cache &cache()
{
    static Cache c;
    return c;
}

// Under the cache's lock.
const Reading &cachedReading(Cache &c)
{
    if (!c.reading)
        c.reading = read(c.folders ? *c.folders : standardFolders());
    return *c.reading;
}

} // namespace

QStringList standardFolders()
{
    QStringList folders;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!config.isEmpty())
        folders << config + QStringLiteral("/libglabels/templates");
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << data + QStringLiteral("/libglabels-3.0/templates");
    folders.removeDuplicates();
    return folders;
}

Reading read(const QStringList &folders)
{
    Reading reading;
    QList<Found> all;
    QHash<QString, qsizetype> byName;
    qint64 total = 0;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        // System: pipes and devices are listed too, to be refused by name like any other.
        const QStringList names = dir.entryList(FilePatterns, QDir::Files | QDir::System, QDir::Name);
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString path = dir.filePath(names.at(i));
            const qint64 room = std::min(FileLimit, TotalLimit - total);
            const std::optional<QByteArray> bytes =
                i < FilesPerFolder && room > 0 ? RegularFile::read(path, room) : std::nullopt;
            if (!bytes) {
                reading.leftOutFiles << path;
                continue;
            }
            total += bytes->size();
            LabelTemplateFile::Contents contents = LabelTemplateFile::parse(*bytes);
            if (!contents.error.isEmpty()) {
                reading.leftOutFiles << path;
                continue;
            }
            ++reading.files;
            reading.templates += int(contents.templates.size());
            for (Template &t : contents.templates) {
                const QString name = key(t.brand, t.part);
                if (t.brand.isEmpty() || t.part.isEmpty() || byName.contains(name))
                    continue;
                byName.insert(name, all.size());
                all.append({std::move(t), path});
            }
        }
    }

    for (const Found &found : all) {
        const std::optional<Template> resolved = resolve(found.t, all, byName);
        if (!resolved)
            continue;
        if (const std::optional<CardStock> stock = stockOf(*resolved, found.file))
            reading.stocks.append(*stock);
    }
    QCollator collator(QLocale(QLocale::Dutch, QLocale::Netherlands));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(reading.stocks.begin(), reading.stocks.end(), [&](const CardStock &a, const CardStock &b) {
        const int maker = collator.compare(a.maker, b.maker);
        return maker != 0 ? maker < 0 : collator.compare(a.productCode, b.productCode) < 0;
    });
    return reading;
}

std::optional<CardStock> stockOf(const Template &t, const QString &source)
{
    if (!t.problem.isEmpty() || t.mirrored || !t.categories.contains(BusinessCard) || !isA4(t) || t.shapes != 1 ||
        t.shape != u"Label-rectangle")
        return std::nullopt;
    const std::optional<Layout> grid = twoColumns(t.layouts);
    if (!grid || (grid->ny != 5 && grid->ny != 4))
        return std::nullopt;
    const Layout &g = *grid;
    const bool onTheSheet = t.width >= SheetSettings::MinCardSize && t.height >= SheetSettings::MinCardSize &&
                            g.dx >= t.width - SlackMm && g.dy >= t.height - SlackMm &&
                            g.x0 + g.dx + t.width <= A4WidthMm + SlackMm &&
                            g.y0 + (g.ny - 1) * g.dy + t.height <= A4HeightMm + SlackMm;
    if (!onTheSheet)
        return std::nullopt;
    const CardStock stock{t.brand,  t.part,         g.x0,           g.y0,          t.width, t.height,
                          g.dx - t.width, g.dy - t.height, 2 * g.ny, t.description, source};
    if (!fitsTheFields(stock))
        return std::nullopt;
    return stock;
}

Reading installed()
{
    Cache &c = cache();
    const QMutexLocker lock(&c.mutex);
    return cachedReading(c);
}

void useFolders(const QStringList &folders)
{
    Cache &c = cache();
    const QMutexLocker lock(&c.mutex);
    if (c.folders == folders)
        return;
    c.folders = folders;
    c.reading.reset();
    c.offered.reset();
}

QList<CardStock> offered()
{
    Cache &c = cache();
    const QMutexLocker lock(&c.mutex);
    if (!c.offered)
        c.offered = combined(CardStock::all(), cachedReading(c).stocks);
    return *c.offered;
}

QList<CardStock> combined(const QList<CardStock> &builtIn, const QList<CardStock> &library)
{
    const QLocale c = QLocale::c();
    QList<CardStock> all = builtIn;
    for (const CardStock &stock : library) {
        const bool known = std::any_of(builtIn.begin(), builtIn.end(), [&](const CardStock &b) {
            return b.productCode.compare(stock.productCode, Qt::CaseInsensitive) == 0 &&
                   b.settings(c) == stock.settings(c);
        });
        if (!known)
            all.append(stock);
    }
    return all;
}

} // namespace TemplateLibrary
