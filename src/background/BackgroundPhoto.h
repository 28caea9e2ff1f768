#pragma once

#include "stamp/PhotoLoader.h"

#include <QImage>
#include <QMargins>
#include <QRect>
#include <QString>

class BackPic;
class CardDocument;
class Questions;

// Achtergrond > "Foto Inladen": the menu index of ToolsBackFotoRand.
enum class PhotoPlacement {
    Borderless = 1, // "Randloos": the whole card
    WithMargin = 2, // "Met Rand": the card less 12 pixels left and top, 11 right and bottom
    Crop = 3,       // "Bijsnijden…": a part of the photo in the card's proportion, chosen in the panel
    Fit = 4,        // "Passend": the whole photo in its proportion, centred, as large as fits
};

// Where the photo goes on the card, in canvas pixels; for "Passend" the area it fits in.
QRect backgroundPhotoArea(PhotoPlacement placement);
// Where a photo of this size lies when it fits the area whole in its own proportion,
// centred, in exact (fractional) canvas pixels: paper rounds it at its own scale, so
// the printed photo keeps the proportion more closely than the screen's whole pixels.
QRectF fittedPhotoRect(QSize photo, const QRectF &area);

// Draws the whole photo stretched into the placement's area (for "Passend", into its
// fitted place), pixels copied without blending, the canvas's pixels around it kept. A reduction averages the photo's pixels
// over each card pixel, so a large photo squeezed to the card does not alias. At a
// scale (the canvas's print copy) the area and the picture are that many times larger
// and the photo is resampled from its own pixels, never from the screen picture.
void drawBackgroundPhoto(QImage &canvasImage, const QImage &photo, PhotoPlacement placement, int scale = 1);

// The command once a file is chosen: the path becomes the document's file name, the picture
// is loaded into the photo panel's full-size buffer (so the zoom scales it afterwards)
// and drawn on the canvas. A file that does not load leaves the buffer and the canvas as
// they were; returns whether it loaded. The canvas's print copy gets the photo too,
// resampled from the photo at print scale; a metafile, which has no pixels of its own,
// is drawn again for it at a scale that covers the print area. "Bijsnijden…" only loads:
// the card changes when the frame is chosen.
PhotoLoader::Outcome loadBackgroundPhoto(CardDocument &document, BackPic &backPic, const QString &path,
                                         PhotoPlacement placement);

// The part of the photo (in its own pixels) over the whole card, resampled smoothly
// (averaged where it reduces); at a scale, the card that many times larger (paper's copy).
void drawCroppedPhoto(QImage &canvasImage, const QImage &photo, const QRectF &part, int scale = 1);
// The photo around the part at print scale for a press's bleed (CardCanvas::setPrintBeyond):
// as many of the photo's own pixels on each side as it has, up to an eighth of the
// card's width; margins says how many print pixels each side got.
QImage croppedPhotoBeyond(const QImage &photo, const QRectF &part, QMargins &margins);
// "Ok" of "Bijsnijden…": the frame (in pixels of the buffer's picture) put on the card as
// one step, its print copy from the photo's own pixels (or its finer drawing), and the
// photo beyond the card kept for a press's bleed.
void applyCroppedPhoto(CardDocument &document, const BackPic &backPic, const QRectF &frame);

// The whole menu command ToolsBackFotoRand(1, 2, 3 or 4): asks for a photo with the photo
// file filter, then loads it as above under the hourglass. A cancelled dialog changes
// nothing; a file that does not load is named in a message with the reason.
bool chooseBackgroundPhoto(CardDocument &document, BackPic &backPic, Questions &questions,
                           PhotoPlacement placement);
