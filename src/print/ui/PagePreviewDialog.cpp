#include "print/ui/PagePreviewDialog.h"

#include "window/WindowControls.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

using namespace WindowControls;

namespace {

constexpr int Margin = 10;
constexpr int Border = 1;

QSize pagePixels()
{
    return {qRound(SheetGeometry::PageSize.width() * PagePreviewDialog::PixelsPerMm),
            qRound(SheetGeometry::PageSize.height() * PagePreviewDialog::PixelsPerMm)};
}

} // namespace

PagePreviewDialog::PagePreviewDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PaginaVoorbeeld"));
    setWindowTitle(QStringLiteral(" Voorbeeld"));
    setFont(QFont(QStringLiteral("Arial"), 8));

    const QSize page = pagePixels();
    // A grey ground round the white page, so that its edges show.
    colouredLabel(this, QStringLiteral("PaginaGrond"),
                  pixelRect(Margin - Border, Margin - Border, page.width() + 2 * Border, page.height() + 2 * Border),
                  QColor(128, 128, 128));
    m_picture = colouredLabel(this, QStringLiteral("PaginaBeeld"), pixelRect(Margin, Margin, page.width(), page.height()),
                              QColor(Qt::white));
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const int row = Margin + page.height() + 8;
    m_previous = pushButton(this, QStringLiteral("VorigeKnop"), QStringLiteral("Vorige"), pixelRect(Margin, row, 70, 22));
    m_next = pushButton(this, QStringLiteral("VolgendeKnop"), QStringLiteral("Volgende"),
                        pixelRect(Margin + page.width() - 70, row, 70, 22));
    m_pageLine = new QLabel(this);
    m_pageLine->setObjectName(QStringLiteral("PaginaRegel"));
    m_pageLine->setAlignment(Qt::AlignCenter);
    m_pageLine->setGeometry(Margin + 74, row, page.width() - 148, 11 + 2);
    m_sideLine = new QLabel(this);
    m_sideLine->setObjectName(QStringLiteral("KantRegel"));
    m_sideLine->setAlignment(Qt::AlignCenter);
    m_sideLine->setGeometry(Margin + 74, row + 12, page.width() - 148, 11 + 2);
    setFixedSize(page.width() + 2 * Margin, row + 22 + Margin);

    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
}

void PagePreviewDialog::showPlan(FaceSource faces, const SheetGeometry &sheet, const SheetPlan &plan,
                                 QPointF printableCorner)
{
    m_faces = std::move(faces);
    m_sheet = sheet;
    m_plan = plan;
    m_printableCorner = printableCorner;
    showPage(0);
}

void PagePreviewDialog::showPage(int page)
{
    const int pages = pageCount();
    m_page = std::clamp(page, 0, std::max(pages - 1, 0));
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < pages);
    if (pages == 0) {
        m_picture->clear();
        m_pageLine->clear();
        m_sideLine->clear();
        return;
    }
    const PlannedPage &shown = m_plan.pages[m_page];
    m_picture->setPixmap(QPixmap::fromImage(pagePicture(m_faces, m_sheet, shown, m_printableCorner, PixelsPerMm)));
    m_pageLine->setText(QStringLiteral("Pagina %1 van %2").arg(m_page + 1).arg(pages));
    m_sideLine->setText(shown.side == CardSide::Front ? QStringLiteral("Voorkant") : QStringLiteral("Achterkant"));
}
