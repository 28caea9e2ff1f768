#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

class CardDocument;
class Questions;
struct Card;

// What the dialog `OpenFile` shows and does, for cards ("crd") and templates ("tmp").
// It is made anew for every opening, so its list reflects the folder at that moment;
// the dialog only shows this model and forwards the clicks.
class OpenFileModel {
public:
    enum class Mode { Cards, Templates };

    // The preview box `Image1`, 1425 x 765 twips.
    static constexpr QSize PreviewSize{95, 51};

    OpenFileModel(Mode mode, CardDocument &document, Questions &questions);

    Mode mode() const { return m_mode; }
    QString openMode() const;  // `OpenMode`: "crd" or "tmp"
    QString listNoun() const;  // `ListNoun`: "kaarten" or "templates"
    QString title() const;     // " Open Kaart" or " Open Template"
    // Templates always show the preview box; cards only while the selected one has a
    // back, so that a one-sided card's dialog looks as it always did.
    bool showsPreview() const { return m_mode == Mode::Templates || !m_preview.isNull(); }

    // `List1`: the names without extension, alphabetical. No card named like another's
    // back ("N.achterkant", CardFolder::isBackName) is listed: its files are that back's.
    const QStringList &entries() const { return m_entries; }
    // `Label2`: counts the entries found at opening; deleting does not change it.
    const QString &instruction() const { return m_instruction; }
    // `Image1`: the template stretched to PreviewSize, or the selected card's front and
    // back side by side (cardPreview); null when there is nothing to show.
    const QImage &preview() const { return m_preview; }

    // Both sides of a card, each as large as half the box takes it, front on the left,
    // on a transparent ground.
    static QImage cardPreview(const Card &card);

    // `List1_Click`: row -1 selects nothing.
    void select(int row);
    int selectedRow() const { return m_selected; }
    bool deleteEnabled() const { return m_deleteEnabled; }

    // "Verwijder Bestand": asks, then deletes the selected card's files (its design and
    // its back among them) or template.
    void deleteSelected();

    // "Ok" and a double click: true when the dialog closes, false when the user was
    // told to select a card first, or why the card does not open, and the dialog stays
    // open. Only an opened card or template takes the names.
    bool accept();

private:
    QString folder() const;
    QString unopenedCardMessage(const QString &name) const;
    void loadPreview(const QString &name);
    void loadCardPreview(const QString &name);

    Mode m_mode;
    CardDocument &m_document;
    Questions &m_questions;
    QStringList m_entries;
    QString m_instruction;
    QImage m_preview;
    int m_selected = -1;
    bool m_deleteEnabled = false;
};
