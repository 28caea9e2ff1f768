#include "window/MenuTree.h"

#include "core/HelpMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <vector>

namespace {

enum Flag : unsigned { Plain = 0, Checkable = 1, Checked = 2 | Checkable, Disabled = 4 };

// One row per item, in order, with its depth below the menu bar as in a menu editor:
// an item followed by deeper rows is a submenu. A caption "-" is a separator.
struct Row {
    int depth;
    QString name;
    QString caption;
    unsigned flags = Plain;
};

void addSwapFamily(std::vector<Row> &rows, int depth, const QString &family)
{
    static const char *const captions[] = {"RGB --> BRG", "RGB --> GBR", "RGB --> RBG",
                                           "RGB --> BGR", "RGB --> GRB"};
    for (int i = 1; i <= 5; ++i)
        rows.push_back({depth, QStringLiteral("%1(%2)").arg(family).arg(i),
                        QString::fromLatin1(captions[i - 1])});
}

std::vector<Row> rows()
{
    std::vector<Row> r;
    const auto add = [&r](int depth, const char *name, const char *caption, unsigned flags = Plain) {
        r.push_back({depth, QString::fromUtf8(name), QString::fromUtf8(caption), flags});
    };
    add(0, "File", "Bestand");
    add(1, "FileNieuw", "Nieuw");
    add(1, "Filestreep0", "-");
    add(1, "FileOpenKaart", "Open Kaart");
    add(1, "FileSaveKaart", "Kaart Opslaan");
    add(1, "FileStreep1", "-");
    add(1, "FilePrint", "Kaartjes Afdrukken");
    add(1, "FileDrukklaar", "Drukklaar PDF…");
    add(1, "FileSamenvoegen", "Samenvoegen…");
    add(1, "FileSetupPrinter", "Setup Printer");
    add(1, "FileMarges", "Afdruk Marges");
    add(1, "FileStreep2", "-");
    add(1, "Fileexit", "Exit");

    // Undo and redo: the window names the step in the caption and enables them.
    add(0, "Wijzigen", "Bewerken");
    add(1, "WijzigenOngedaan", "Ongedaan maken", Disabled);
    add(1, "WijzigenOpnieuw", "Opnieuw", Disabled);

    add(0, "Layout", "Layout");
    add(1, "LayoutShow(0)", "Tekst Links", Checked);
    add(1, "LayoutShow(1)", "Tekst Midden", Checkable);
    add(1, "LayoutShow(2)", "Zegelfoto Links", Checkable);
    add(1, "LayoutShow(3)", "Zegelfoto Liggend", Checkable);
    add(1, "LayoutShow(4)", "Zegelfoto Rechts", Checkable);

    add(0, "Pasfoto", "Zegelfoto", Disabled);
    add(1, "PasFotoInladen", "Foto Inladen");
    add(1, "PasfotoVergroting", "Scherm Vergroten", Checkable);
    add(1, "Pasfotostreep1", "-");
    add(1, "EditBewerken", "Bewerken");
    add(2, "EditConvert(0)", "Grayscale");
    add(2, "EditConvert(1)", "Negative");
    add(2, "EditConvert(2)", "Light");
    add(2, "EditConvert(3)", "Dark");
    add(2, "EditConvert(4)", "Sharpen");
    add(2, "EditConvert(5)", "Contrast");
    add(3, "EditContrastConvert(1)", "Positive");
    add(3, "EditContrastConvert(2)", "Negative");
    add(2, "EditConvert(6)", "Pixelize");
    add(2, "EditConvert(7)", "Reliëf");
    add(2, "EditConvert(8)", "Swap Colors");
    addSwapFamily(r, 3, QStringLiteral("EditSwap"));
    add(2, "EditConvert(9)", "Scattered");
    add(2, "EditConvert(10)", "Blur");
    add(2, "EditConvert(11)", "Aquarel");
    add(2, "EditConvert(12)", "Defuse");
    add(2, "EditConvert(13)", "Add noise");
    add(2, "EditConvert(14)", "Edge");
    add(2, "EditConvert(15)", "Contour");
    add(1, "EditStreep1", "-");
    add(1, "EditFlipConvert(0)", "Flip Horizontal");
    add(1, "EditFlipConvert(1)", "Flip Vertical");

    add(0, "ZoomSize", "Zoom", Disabled);
    for (const int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20})
        r.push_back({1, QStringLiteral("SizeProcent(%1)").arg(n), QStringLiteral("%1%").arg(10 * n),
                     n == 10 ? Checked : Checkable});
    add(1, "ZoomStreep1", "-");
    add(1, "ZoomPassend", "Passend", Checkable);

    add(0, "Tools", "Tools");
    add(1, "TekstLettertype", "Lettertype");
    add(1, "ToolsSelectierechthoek", "Selectierechthoek");
    add(2, "ToolsSelectierechthoekKleur(1)", "Zwart", Checkable);
    add(2, "ToolsSelectierechthoekKleur(2)", "Grijs", Checked);
    add(2, "ToolsSelectierechthoekKleur(3)", "Wit", Checkable);
    add(1, "ToolsBorder", "Border");
    add(2, "ToolsBorderKleur(1)", "Geen", Checked);
    add(2, "ToolsBorderKleur(2)", "Zwart", Checkable);
    add(2, "ToolsBorderKleur(3)", "Grijs", Checkable);
    add(2, "ToolsBorderKleur(4)", "Wit", Checkable);

    add(0, "Achtergrond", "Achtergrond");
    add(1, "ToolsBackFoto", "Foto Inladen");
    add(2, "ToolsBackFotoRand(1)", "Randloos");
    add(2, "ToolsBackFotoRand(2)", "Met Rand");
    add(2, "ToolsBackFotoRand(3)", "Bijsnijden…");
    add(2, "ToolsBackFotoRand(4)", "Passend");
    add(1, "ToolsBackTemplates", "Templates");
    add(1, "ToolsBackColor", "Verloopkleur");
    add(1, "Achtergrondstreep1", "-");
    add(1, "AchtergrondBewerken", "Bewerken");
    add(2, "AchtergrondEdit(0)", "Grayscale");
    add(2, "AchtergrondEdit(1)", "Negative");
    add(2, "AchtergrondEdit(2)", "Light");
    add(2, "AchtergrondEdit(3)", "Pixelize");
    add(2, "AchtergrondEdit(4)", "Reliëf");
    add(2, "AchtergrondEdit(5)", "Scattered");
    add(2, "AchtergrondEdit(6)", "Mirror");
    add(2, "Streep5", "-");
    add(2, "AchtergrondRand", "Wit Kader");
    add(2, "EditColor", "Swap Colors");
    addSwapFamily(r, 3, QStringLiteral("EditColors"));

    add(0, "Invoegen", "Invoegen");
    add(1, "InvoegenLogo", "Logo…");
    add(1, "InvoegenQr", "QR-code…");

    add(0, "Beeld", "Beeld");
    add(1, "KantVoor", "Voorkant", Checked);
    add(1, "KantAchter", "Achterkant", Checkable);
    add(1, "BeeldStreep1", "-");
    add(1, "KantAchterWeg", "Achterkant verwijderen", Disabled);
    add(1, "BeeldStreep2", "-");
    add(1, "BeeldAfgedrukt", "Zoals afgedrukt", Checked);
    add(1, "BeeldVeiligeRand", "Veilige rand", Checked);
    add(1, "BeeldStreep3", "-");
    add(1, "PersoonVorige", "Vorige", Disabled);
    add(1, "PersoonVolgende", "Volgende", Disabled);

    add(0, "Help", "Help");
    add(1, "HelpHelp", "Help", Checkable);
    add(1, "HelpHandleiding", "Handleiding");
    add(1, "Helpstreep1", "-");
    add(1, "HelpSoftware", "Meer Software");
    r.push_back({1, QStringLiteral("HelpVeltrano"), HelpMenu::partnerDomain()});

    // On the bar itself: a divider and the status text of what was opened last.
    add(0, "Tussenstreep", "|");
    add(0, "NaamBestand", "*.*", Disabled);
    return r;
}

} // namespace

namespace MenuTree {

void build(QMenuBar &bar)
{
    const std::vector<Row> table = rows();
    // menus[d] is the menu that takes rows of depth d + 1.
    std::vector<QMenu *> menus;
    for (size_t i = 0; i < table.size(); ++i) {
        const Row &row = table[i];
        const bool opensSubmenu = i + 1 < table.size() && table[i + 1].depth > row.depth;
        menus.resize(size_t(row.depth));
        QWidget *owner = row.depth == 0 ? static_cast<QWidget *>(&bar) : menus.back();
        QAction *action = nullptr;
        if (opensSubmenu) {
            auto *menu = new QMenu(row.caption, owner);
            menu->setObjectName(row.name);
            action = menu->menuAction();
            menus.push_back(menu);
        } else {
            // A separator keeps no caption: some styles would draw it as a section title.
            const bool separator = row.caption == QLatin1String("-");
            action = new QAction(separator ? QString() : row.caption, owner);
            action->setSeparator(separator);
        }
        action->setObjectName(row.name);
        action->setCheckable(row.flags & Checkable);
        action->setChecked((row.flags & Checked) == Checked);
        action->setEnabled(!(row.flags & Disabled));
        owner->addAction(action);
    }
}

} // namespace MenuTree
