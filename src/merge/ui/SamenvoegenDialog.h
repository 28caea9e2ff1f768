#pragma once

#include "core/CardTeam.h"
#include "merge/CsvReader.h"

#include <QDialog>
#include <array>
#include <optional>

class CardDocument;
class Questions;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

// " Samenvoegen": the people the card is made for. It opens on the team the card has (its
// data, line choices and who is left out); "GegevensKiezen" reads another file, the
// header choice reads it again. The dialog changes nothing itself: after "Ok" the caller
// sets team() on the document, one step, or detaches the data when detaching() says so.
class SamenvoegenDialog : public QDialog {
    Q_OBJECT
public:
    SamenvoegenDialog(const CardDocument &document, Questions &questions, QWidget *parent = nullptr);

    // Reads the file as if the user picked it; a file that cannot be read is named in a
    // Dutch message and the dialog keeps what it showed. False then.
    bool loadFile(const QString &path);
    // The team as the dialog's choices make it; none without data.
    std::optional<CardTeam> team() const;
    // "GegevensLoslaten" closed the dialog: the card is one person again.
    bool detaching() const { return m_detaching; }

private:
    void chooseFile();
    void rereadFile();
    bool takeRead(const MergeRead &read, const QString &path);
    void showTeam(const CardTeam &team);
    HeaderChoice headerChoice() const;

    Questions &m_questions;
    // The file last read here: the header choice reads it again. Empty for the data the
    // card brought, whose file may be gone.
    QString m_path;
    MergeData m_data;
    QString m_sourceName;
    bool m_detaching = false;

    QLabel *m_source = nullptr;
    QComboBox *m_header = nullptr;
    QTableWidget *m_table = nullptr;
    std::array<QComboBox *, MergeLineCount> m_lines{};
    QCheckBox *m_skipEmpty = nullptr;
};
