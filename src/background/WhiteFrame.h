#pragma once

#include <QImage>

class CardDocument;

// "Wit Kader": twelve white outlines (i, i)-(W - i, H - i), i = 0..11, over whatever the
// picture shows. On the card that is a band of 12 pixels at the left and top and 11 at
// the right and bottom, exactly around the photo area of "Met Rand".
// At a scale (the canvas's print copy) the bands are that many times as wide, drawn at
// that size so that their inner edge stays exactly on the photo area's.
void drawWhiteFrame(QImage &target, int scale = 1);

// The menu command on the card's canvas and its print copy, announced for the repaint.
void addWhiteFrame(CardDocument &document);
