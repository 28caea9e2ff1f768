// libFuzzer target: any bytes as a file of label templates in the user's folder. Whatever
// it holds, every sheet read from it must print as the margins dialog fills it in: eight
// or ten cards of a finite size on the A4 sheet, every field filled and printable.
#include "FuzzSupport.h"

#include "print/MarginsForm.h"
#include "print/TemplateLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>

namespace {

// A folder of its own holding the input as its one template file.
QString asTemplateFolder(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/lumo-fuzz-templates-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/lumo-fuzz-templates-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("input-templates.xml"));
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort(); // the machine, not the input, failed
    return dir.path();
}

bool onTheSheet(const CardStock &stock)
{
    for (const QRectF &cut : stock.cutRectangles()) {
        if (!std::isfinite(cut.left()) || !std::isfinite(cut.bottom()) || cut.left() < 0 || cut.top() < 0 ||
            cut.right() > 211 || cut.bottom() > 298)
            return false;
    }
    return stock.cutRectangles().size() == stock.cards;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    const TemplateLibrary::Reading reading = TemplateLibrary::read({asTemplateFolder(data, size)});
    for (const CardStock &stock : reading.stocks) {
        if ((stock.cards != 8 && stock.cards != 10) || !onTheSheet(stock))
            std::abort();
        MarginsForm form(PrintSettings(), dutch, {stock});
        form.chooseStock(1);
        for (int field = 1; field <= MarginsForm::FieldCount; ++field)
            if (form.fieldText(field).isEmpty())
                std::abort();
        if (!form.problems().isEmpty() || form.stockChoice() != 1)
            std::abort();
        (void)stock.toolTip();
    }
    return 0;
}
