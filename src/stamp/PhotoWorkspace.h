#pragma once

#include "stamp/BackPic.h"
#include "stamp/PhotoCrop.h"
#include "stamp/ShownPhoto.h"
#include "stamp/SelectionTracker.h"

#include <QObject>
#include <QString>

class CardDocument;
class Questions;

// The photo panel without its widgets: loading the stamp photo, the enlarged panel,
// the zoom levels, the mouse selection and the cut that frames the stamp. It owns the
// panel's flags `PhotoLoaded` and `ZoomedView` (they are no part of the card) and hands
// the cut stamp to the document.
//
// The window stays a view of it: it forwards the menu items and the mouse events of
// `Pic`, paints `viewImage()` with the `selection()` outline on top, and applies the
// signals (panel width, zoom tick, selection colour tick).
class PhotoWorkspace : public QObject {
    Q_OBJECT
public:
    explicit PhotoWorkspace(CardDocument &document, QObject *parent = nullptr);

    // The full-size picture buffer, shared with the background photo command.
    BackPic &backPic() { return m_backPic; }
    const BackPic &backPic() const { return m_backPic; }

    // "Foto Inladen": asks for a file with the photo filter and loads it. A cancelled
    // dialog or a file that does not load changes nothing; of the latter the user is
    // told the file and why. True when a photo was loaded.
    bool loadPhoto(Questions &questions);
    PhotoLoader::Outcome loadPhoto(const QString &path);

    // `PhotoLoaded`: a photo was loaded since the start or the last "Nieuw".
    bool isPhotoLoaded() const { return m_photoLoaded; }
    // `ZoomedView`: the panel is widened over the card.
    bool isEnlarged() const { return m_enlarged; }

    // "Scherm Vergroten": widens or restores the panel, only once a photo is loaded.
    void toggleEnlargedView();
    // Back to the normal width (after a cut, and by "Nieuw").
    void restoreNormalView();

    // `SizeProcent(index)`: shows the picture of the buffer at index * 10 %. Reachable
    // only while the panel is enlarged; other indexes are ignored. `ZoomPassend`
    // (ZoomLevels::Fit) shows the whole picture, in either width of the panel. The
    // picture's point at the view's top-left corner stays there.
    void zoom(int index);
    // The item of the "Zoom" menu that carries the check mark.
    int checkedZoomIndex() const { return m_checkedZoomIndex; }

    // After "Nieuw" (CardDocument::cardRenewed): the start picture in the view at the
    // normal width, no photo loaded. The zoom tick and the selection colour stay.
    void resetForNewCard();

    // "Bijsnijden…": the panel widened over the card with the buffer's photo and the crop
    // frame (PhotoCrop); the mouse and the wheel work the frame until the crop is
    // finished: kept (cropFinished with the frame in photo pixels) or cancelled. Both
    // bring the panel back to its normal width. Nothing happens without a photo.
    void beginCrop();
    bool isCropping() const { return m_crop.isActive(); }
    const PhotoCrop &crop() const { return m_crop; }
    void finishCrop(bool keep);

    const ShownPhoto &shownPhoto() const { return m_shown; }
    // The width of the view's scroll bars in the window's style.
    void setBarExtent(int extent);
    // Scrolls the view to show the zoomed picture from this pixel (kept within reach).
    void scrollTo(QPoint offset);
    // The mouse wheel over the view, in Qt's eighths of a degree: down scrolls down,
    // and sideways (Shift held) to the right. While cropping it zooms the frame around
    // the pointer at pos (view pixels) instead.
    void wheel(QPoint angleDelta, bool sideways, QPointF pos = QPointF());
    // The view's image as it is to be painted, view-sized.
    // While cropping: the crop view with the card as the frame makes it beside the photo
    // (the shown side, its lines, objects and stamp over the chosen part).
    QImage viewImage() const;
    void setViewBackground(const QColor &color);

    // Mouse events of `Pic`: the pressed or released button, or the held buttons while
    // moving (SelectionTracker::Button bits), and the position in view pixels. The
    // selection keeps its place on the zoomed picture, whatever the scrolling.
    void mouseDown(int button, QPointF pos);
    // With keepProportion (Shift held) the rectangle keeps the proportion of the frame's
    // photo window that the cut is stretched into, so the photo is not distorted.
    void mouseMove(int buttons, QPointF pos, bool keepProportion = false);
    void mouseUp(int button, QPointF pos);
    const SelectionTracker &selection() const { return m_selection; }
    // The outline `Layer` in view pixels, where it lies at the present scrolling.
    QRectF shownLayer() const;
    // `ToolsSelectierechthoekKleur(item)`.
    void chooseSelectionColor(int item);

    // "strand.jpg / 640 x 480 pixels".
    static QString photoCaption(const QString &path, QSize size);

Q_SIGNALS:
    // The view's image changed: repaint `Pic`.
    void viewChanged();
    // The outline `Layer` moved, resized, showed, hid or changed colour.
    void selectionChanged();
    // The panel is to be shown enlarged (707 wide, other frames hidden, "Zoom" enabled)
    // or normal.
    void enlargedViewChanged(bool enlarged);
    void zoomCheckChanged(int index);
    // "Bijsnijden…" began or ended (the Ok and Annuleren buttons show meanwhile).
    void croppingChanged(bool cropping);
    // "Ok": the frame chosen, in photo pixels of the buffer's picture.
    void cropFinished(QRectF frame);

private:
    QPointF onPhoto(QPointF viewPos) const;
    QRect stampWindow() const;
    void cut();

    CardDocument &m_document;
    BackPic m_backPic;
    ShownPhoto m_shown;
    SelectionTracker m_selection;
    PhotoCrop m_crop;
    qint64 m_croppedKey = 0;
    int m_checkedZoomIndex;
    bool m_photoLoaded = false;
    bool m_enlarged = false;
};
