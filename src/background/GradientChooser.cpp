#include "background/GradientChooser.h"

#include "core/CardDocument.h"
#include "core/Composition.h"
#include "background/Verloopkleur.h"

#include <algorithm>

GradientChooser::GradientChooser()
    : m_preview(Gradients::PreviewSize, QImage::Format_RGB32)
    , m_numberText(QStringLiteral("1"))
{
    m_preview.fill(EmptyPreviewColor);
}

void GradientChooser::setValue(int value)
{
    value = std::clamp(value, Gradients::First, Gradients::Last);
    if (value == m_value)
        return;
    m_value = value;
    Verloopkleur(m_preview, m_value);
    m_numberText = QString::number(m_value) + QStringLiteral(" / 42");
}

void GradientChooser::accept(CardDocument &document) const
{
    // The gradients' colours step once per screen pixel and saturate after 255 of them,
    // so drawn at print size they would be another picture; paper gets the screen
    // gradient enlarged smoothly (bench_gradient_print compares the two).
    const int value = m_value;
    document.drawOnCanvas(
        QStringLiteral("Verloopkleur"), [value](QImage &canvasImage) { Verloopkleur(canvasImage, value); },
        [](QImage &print, const QImage &screen) {
            print = screen.scaled(Composition::PrintCanvasSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        });
}
