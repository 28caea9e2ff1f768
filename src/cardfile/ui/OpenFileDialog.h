#pragma once

#include "cardfile/OpenFileModel.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// The dialog "OpenFile" for cards and templates: a view of one OpenFileModel. The list
// "List1" shows the model's names, "Label2" its instruction and, for templates,
// "Image1" its preview (for cards, both sides of a selected card that has a back); the buttons and a double click hand the choice to the model.
// Made for one opening, so the list reflects the folder at that moment.
class OpenFileDialog : public QDialog {
    Q_OBJECT
public:
    OpenFileDialog(OpenFileModel::Mode mode, CardDocument &document, Questions &questions,
                   QWidget *parent = nullptr);

    const OpenFileModel &model() const { return m_model; }

private:
    void showEntries();
    void showSelection();
    void followSelection();
    void deleteSelected();
    void tryAccept();

    OpenFileModel m_model;
    QListWidget *m_list;
    QLabel *m_previewBackdrop;
    QLabel *m_preview;
    QPushButton *m_deleteButton;
};
