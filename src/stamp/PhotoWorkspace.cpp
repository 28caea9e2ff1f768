#include "stamp/PhotoWorkspace.h"

#include "assets/BuiltinPictures.h"
#include "stamp/BusyCursor.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "stamp/PhotoFileFilter.h"
#include "core/Questions.h"
#include "stamp/StampComposer.h"
#include "stamp/ZoomLevels.h"

#include <QFileInfo>
#include <QPainter>

PhotoWorkspace::PhotoWorkspace(CardDocument &document, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_checkedZoomIndex(ZoomLevels::Actual)
{
    connect(&document, &CardDocument::cardRenewed, this, &PhotoWorkspace::resetForNewCard);
}

bool PhotoWorkspace::loadPhoto(Questions &questions)
{
    const QString path = questions.openFileName(PhotoFileFilter::filter());
    if (path.isEmpty())
        return false;
    const PhotoLoader::Outcome outcome = loadPhoto(path);
    if (!outcome)
        questions.message(QStringLiteral("Lumovander"), PhotoLoader::faultMessage(path, outcome));
    return bool(outcome);
}

namespace {

// A metafile as stamp photo is drawn again for paper large enough that a cut of the
// whole picture fills the print stamp's window, either way round.
QSize stampPrintCover()
{
    return StampComposer::printWindowSize(2).expandedTo(StampComposer::printWindowSize(3));
}

// A stamp is cut from a part of the photo; a photo larger than this both ways holds more
// pixels in any part one picks at the panel's zoom levels than the stamp's paper copy
// takes, so a larger JPEG is decoded at this size.
constexpr QSize StampPhotoCover{8192, 8192};

} // namespace

PhotoLoader::Outcome PhotoWorkspace::loadPhoto(const QString &path)
{
    // A stamp photo chosen while cropping ends the crop first: both share the buffer.
    finishCrop(false);
    BusyCursor busy;
    const PhotoLoader::Outcome outcome = m_backPic.load(path, stampPrintCover(), StampPhotoCover);
    if (!outcome)
        return outcome;
    m_document.setFileName(path);
    m_shown.show(m_backPic.image(), ZoomLevels::Actual, m_backPic.finer());
    m_document.setNameCaption(photoCaption(path, m_backPic.size()));
    m_photoLoaded = true;
    Q_EMIT viewChanged();
    return outcome;
}

void PhotoWorkspace::beginCrop()
{
    if (m_backPic.image().isNull())
        return;
    BusyCursor busy;
    m_crop.start(m_backPic.image());
    m_croppedKey = m_backPic.image().cacheKey();
    m_enlarged = true;
    m_shown.setWidth(ShownPhoto::EnlargedWidth);
    m_selection.setLayerVisible(false);
    Q_EMIT enlargedViewChanged(true);
    Q_EMIT croppingChanged(true);
    Q_EMIT viewChanged();
    Q_EMIT selectionChanged();
}

void PhotoWorkspace::finishCrop(bool keep)
{
    if (!isCropping())
        return;
    const QRectF frame = m_crop.frame().rect();
    m_crop.stop();
    restoreNormalView();
    Q_EMIT croppingChanged(false);
    // The frame belongs to the photo it was drawn over: another loaded meanwhile into
    // the buffer gets nothing cut from it.
    if (keep && m_backPic.image().cacheKey() == m_croppedKey)
        Q_EMIT cropFinished(frame);
}

QImage PhotoWorkspace::viewImage() const
{
    if (!isCropping())
        return m_shown.render();
    QImage view = m_crop.render(m_shown.background());
    CardFace face = m_document.shownFace();
    face.canvas.image() = m_crop.preview(Composition::CanvasSize);
    const bool front = m_document.shownSide() == CardSide::Front;
    QPainter painter(&view);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = PhotoCrop::PreviewArea;
    painter.translate(area.topLeft());
    painter.scale(double(area.width()) / Composition::CanvasSize.width(),
                  double(area.height()) / Composition::CanvasSize.height());
    CardPainter::paintFace(painter, face, front ? &m_document.card().stamp : nullptr);
    return view;
}

void PhotoWorkspace::toggleEnlargedView()
{
    if (!m_photoLoaded || isCropping())
        return;
    if (m_enlarged) {
        restoreNormalView();
        return;
    }
    m_enlarged = true;
    m_shown.setWidth(ShownPhoto::EnlargedWidth);
    // The last rectangle reappears where it was.
    m_selection.setLayerVisible(true);
    Q_EMIT enlargedViewChanged(true);
    Q_EMIT viewChanged();
    Q_EMIT selectionChanged();
}

void PhotoWorkspace::restoreNormalView()
{
    m_enlarged = false;
    m_shown.setWidth(ShownPhoto::NormalWidth);
    m_selection.setLayerVisible(false);
    Q_EMIT enlargedViewChanged(false);
    Q_EMIT viewChanged();
    Q_EMIT selectionChanged();
}

void PhotoWorkspace::zoom(int index)
{
    // "Passend" also serves the narrow panel: its whole photo needs no room.
    const bool reachable = index == ZoomLevels::Fit || (ZoomLevels::isLevel(index) && m_enlarged);
    if (!reachable || m_backPic.image().isNull() || isCropping())
        return;
    BusyCursor busy;
    // The picture's point at the view's corner stays there, so an unscrolled view
    // still zooms from the top-left.
    const QPointF corner = m_shown.cornerInPicture();
    m_shown.show(m_backPic.image(), index, m_backPic.finer());
    m_shown.scrollToCorner(corner);
    m_checkedZoomIndex = index;
    Q_EMIT zoomCheckChanged(index);
    Q_EMIT viewChanged();
}

void PhotoWorkspace::resetForNewCard()
{
    if (isCropping()) {
        m_crop.stop();
        Q_EMIT croppingChanged(false);
    }
    m_photoLoaded = false;
    m_shown.show(BuiltinPictures::startPicture(), ZoomLevels::Actual);
    restoreNormalView();
}

void PhotoWorkspace::setBarExtent(int extent)
{
    m_shown.setBarExtent(extent);
    Q_EMIT viewChanged();
}

void PhotoWorkspace::scrollTo(QPoint offset)
{
    if (offset == m_shown.offset())
        return;
    m_shown.scrollTo(offset);
    Q_EMIT viewChanged();
    // The rectangle stays on the photo's pixels it was drawn over.
    Q_EMIT selectionChanged();
}

void PhotoWorkspace::wheel(QPoint angleDelta, bool sideways, QPointF pos)
{
    if (isCropping()) {
        m_crop.wheel(angleDelta.y() / 120.0, pos);
        Q_EMIT viewChanged();
        return;
    }
    // One notch (120 eighths of a degree) scrolls three lines of twenty pixels, as
    // Qt's scroll areas do; a wheel tilted sideways scrolls sideways by itself.
    constexpr int PixelsPerNotch = 60;
    QPoint by(-angleDelta.x() * PixelsPerNotch / 120, -angleDelta.y() * PixelsPerNotch / 120);
    if (sideways)
        by = QPoint(by.x() + by.y(), 0);
    scrollTo(m_shown.offset() + by);
}

QRectF PhotoWorkspace::shownLayer() const
{
    return m_selection.layer().translated(-QPointF(m_shown.offset()));
}

void PhotoWorkspace::setViewBackground(const QColor &color)
{
    m_shown.setBackground(color);
    Q_EMIT viewChanged();
}

void PhotoWorkspace::mouseDown(int button, QPointF pos)
{
    if (isCropping()) {
        if (button == SelectionTracker::Left)
            m_crop.press(pos);
        return;
    }
    m_selection.press(button, onPhoto(pos));
    Q_EMIT selectionChanged();
}

void PhotoWorkspace::mouseMove(int buttons, QPointF pos, bool keepProportion)
{
    if (buttons != SelectionTracker::Left)
        return;
    if (isCropping()) {
        if (m_crop.drag(pos))
            Q_EMIT viewChanged();
        return;
    }
    m_selection.drag(buttons, onPhoto(pos), keepProportion ? stampWindow().size() : QSize());
    Q_EMIT selectionChanged();
}

void PhotoWorkspace::mouseUp(int button, QPointF pos)
{
    if (isCropping()) {
        m_crop.release();
        return;
    }
    if (m_selection.releaseCuts(button, onPhoto(pos), m_photoLoaded))
        cut();
}

QRect PhotoWorkspace::stampWindow() const
{
    // The stamp is the front's, whichever side the window shows.
    return m_document.card().state.LayoutKind == 3 ? StampComposer::LandscapeWindow : StampComposer::PortraitWindow;
}

QPointF PhotoWorkspace::onPhoto(QPointF viewPos) const
{
    return viewPos + QPointF(m_shown.offset());
}

void PhotoWorkspace::cut()
{
    m_selection.setLayerVisible(false);
    // The stamp is the front's, whichever side the window shows.
    const CardState &state = m_document.card().state;
    const QRect cut = m_selection.cutRect();
    const QImage stamp = StampComposer::compose(state.LayoutKind, state.StampBorderStyle, m_shown.crop(cut));
    // Paper gets the same cut from the photo's own pixels, not the zoomed view's.
    const QImage print = stamp.isNull()
        ? QImage()
        : StampComposer::composePrint(state.LayoutKind, state.StampBorderStyle,
                                      m_shown.cropFromSource(cut, StampComposer::printWindowSize(state.LayoutKind)));
    m_document.setStampPicture(QStringLiteral("Zegelfoto"), stamp, print);
    restoreNormalView();
}

void PhotoWorkspace::chooseSelectionColor(int item)
{
    m_selection.chooseColorItem(item);
    Q_EMIT selectionChanged();
}

QString PhotoWorkspace::photoCaption(const QString &path, QSize size)
{
    return QStringLiteral("%1 / %2 x %3 pixels")
        .arg(QFileInfo(path).fileName())
        .arg(size.width())
        .arg(size.height());
}
