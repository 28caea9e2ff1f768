#include "program/StartupStyle.h"

#include <qdrawutil.h>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOption>

namespace {

const QString Images = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");

QPixmap resourcePng(const QString &name)
{
    QPixmap pixmap;
    if (QPixmapCache::find(name, &pixmap))
        return pixmap;
    // Named and not guessed: guessing asks every plugin, loading each.
    QImageReader reader(Images + name, "png");
    reader.setAutoDetectImageFormat(false);
    pixmap = QPixmap::fromImage(reader.read());
    if (!pixmap.isNull())
        QPixmapCache::insert(name, pixmap);
    return pixmap;
}

QIcon extensionArrow(bool vertical, bool rightToLeft)
{
    QIcon icon;
    const QString stem = vertical ? QStringLiteral("toolbar-ext-v-") : rightToLeft ? QStringLiteral("toolbar-ext-h-rtl-")
                                                                                   : QStringLiteral("toolbar-ext-h-");
    static constexpr int VerticalSizes[] = {5, 10, 20}, HorizontalSizes[] = {8, 16, 32};
    for (int i = 0; i < 3; ++i) {
        const int size = vertical ? VerticalSizes[i] : HorizontalSizes[i];
        const QPixmap pixmap = resourcePng(stem + QString::number(size) + QStringLiteral(".png"));
        if (!pixmap.isNull())
            icon.addPixmap(pixmap);
    }
    return icon;
}

// As the Fusion style draws it: its frame picture stretched over the box below the title.
constexpr int GroupBoxTopMargin = 3;

} // namespace

QIcon StartupStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const bool rightToLeft = option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
        const QIcon arrow = extensionArrow(icon == SP_ToolBarVerticalExtensionButton, rightToLeft);
        if (!arrow.isNull())
            return arrow;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

void StartupStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    const QPixmap frame = element == PE_FrameGroupBox && baseStyle()->name() == QLatin1String("fusion")
                              ? resourcePng(QStringLiteral("fusion_groupbox.png"))
                              : QPixmap();
    if (frame.isNull()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    const int top = box && !box->isCheckable() && box->title().isEmpty()
                        ? GroupBoxTopMargin
                        : qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height())
                              + GroupBoxTopMargin;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), frame);
}
