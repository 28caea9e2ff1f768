#pragma once

#include <QImage>

class CardDocument;

// "Wit Kader": twelve white outlines (i, i)-(W - i, H - i), i = 0..11, over whatever the
// picture shows. On the card that is a band of 12 pixels at the left and top and 11 at
// the right and bottom, exactly around the photo area of "Met Rand".
void drawWhiteFrame(QImage &target);

// The menu command on the card's canvas, announced for the repaint.
void addWhiteFrame(CardDocument &document);
