#pragma once

#include "print/SheetGeometry.h"
#include "print/SheetPainter.h"
#include "print/SheetPlan.h"

#include <QDialog>

class QLabel;
class QPushButton;

// " Voorbeeld": the pages of a sheet plan as they print, one at a time, each the whole
// A4 page drawn by pagePicture from the printer's printable corner and under its side's
// correction, with "Vorige" and "Volgende" and the line "Pagina 1 van 2". A page is drawn
// when it is shown, so a plan of many sheets costs no more than the page in view.
class PagePreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PagePreviewDialog(QWidget *parent = nullptr);

    // Shows the first page of the plan. The faces must stay valid while the dialog shows them.
    void showPlan(FaceSource faces, const SheetGeometry &sheet, const SheetPlan &plan, QPointF printableCorner);

    int currentPage() const { return m_page; }
    int pageCount() const { return int(m_plan.pages.size()); }

    // How fine the page is drawn: 1.6 pixels per millimetre, the A4 page 336 x 475.
    static constexpr double PixelsPerMm = 1.6;

private:
    void showPage(int page);

    FaceSource m_faces;
    SheetGeometry m_sheet;
    SheetPlan m_plan;
    QPointF m_printableCorner;
    int m_page = 0;

    QLabel *m_picture = nullptr;
    QLabel *m_pageLine = nullptr;
    QLabel *m_sideLine = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
};
