#include "press/ui/PressProgress.h"

#include "stamp/BusyCursor.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QString PressProgress::BusyText = QStringLiteral("Bezig… Ghostscript maakt de drukklare PDF.");

PressProgress::PressProgress(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DrukBezig"));
    setWindowTitle(QStringLiteral(" Drukklaar PDF"));
    setModal(true);
    auto *text = new QLabel(BusyText, this);
    auto *buttons = new QDialogButtonBox(this);
    m_stopButton = buttons->addButton(QStringLiteral("Stoppen"), QDialogButtonBox::RejectRole);
    m_stopButton->setObjectName(QStringLiteral("StopKnop"));
    connect(buttons, &QDialogButtonBox::rejected, this, &PressProgress::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

void PressProgress::reject()
{
    // The dialog stays until the run has ended; the run ends as soon as it hears this.
    m_stopButton->setEnabled(false);
    m_stop.stop();
}

PressResult PressProgress::run(const std::function<PressResult(Ghostscript::StopSwitch &)> &write)
{
    const BusyCursor busy;
    show();
    const PressResult result = write(m_stop);
    hide();
    return result;
}
