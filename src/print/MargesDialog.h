#pragma once

#include "print/MarginsForm.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class Questions;
struct PrintSettings;

// The margins dialog "Marges": a view of one MarginsForm. Every text a field gets,
// typed or filled in by the dialog, passes the form's check and is emptied when it
// fails. "Reset" sets the settings at once, "Ok" stores the form, "Cancel" nothing.
class MargesDialog : public QDialog {
    Q_OBJECT
public:
    MargesDialog(PrintSettings &settings, Questions &questions, QWidget *parent = nullptr);

private:
    void buildDiagramFrame();
    void buildFieldFrame();
    void buildButtonFrame();
    void showForm();
    void fieldEdited(int field, const QString &text);

    PrintSettings &m_settings;
    Questions &m_questions;
    MarginsForm m_form;
    std::array<QLineEdit *, MarginsForm::FieldCount> m_fields{};
    QComboBox *m_cardCount = nullptr;
};
