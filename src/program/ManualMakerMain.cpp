// lumo_manual_maker MARKDOWN PDF: typesets the user's manual (docs/handleiding.md) as an
// A4 PDF, the "Lumovander.pdf" that Help opens and "Afdruk Marges" points to. Made by
// the build from the text kept beside the code, so the manual changes with the program.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace {

// The text's width on A4 in the document's pixels (96 per inch): 210 mm less the 2 cm
// that QTextDocument::print leaves on either side.
constexpr double TextWidth = (210.0 - 40.0) / 25.4 * 96.0;
// Screenshots are shown at most this wide, and narrower ones at their own size.
constexpr double LargestPicture = TextWidth * 0.9;

// Markdown gives a picture no size: a screenshot would stand at its pixel width and run
// off the page. Each is scaled down to the text's width, keeping its proportions. The
// pictures are handed to the document read: the copy that QTextDocument::print lays out
// would otherwise look for them in the working folder.
void fitPictures(QTextDocument &document, const QString &folder)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            const QImage image(folder + QLatin1Char('/') + picture.name());
            if (image.isNull()) {
                std::fprintf(stderr, "lumo_manual_maker: no picture %s\n", qPrintable(picture.name()));
                std::exit(1);
            }
            document.addResource(QTextDocument::ImageResource, QUrl(picture.name()), image);
            document.addResource(QTextDocument::ImageResource, document.baseUrl().resolved(QUrl(picture.name())), image);
            const QSize size = image.size();
            if (size.width() <= LargestPicture)
                continue;
            picture.setWidth(LargestPicture);
            picture.setHeight(LargestPicture * size.height() / size.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

// Markdown's tables come as a grid of cells pressed against their borders; the manual's
// read better as open columns with some air.
void airTables(QTextDocument &document)
{
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setBorderCollapse(true);
        format.setBorder(0);
        table->setFormat(format);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: lumo_manual_maker MARKDOWN PDF\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);

    QFile markdown(source);
    if (!markdown.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "lumo_manual_maker: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString folder = QFileInfo(source).absolutePath();
    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')));
    QFont font(QStringLiteral("Liberation Sans"), 10);
    document.setDefaultFont(font);
    document.setMarkdown(QString::fromUtf8(markdown.readAll()), QTextDocument::MarkdownDialectGitHub);
    fitPictures(document, folder);
    airTables(document);

    // Written whole or not at all: a failed run fails the build, which makes it again.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "lumo_manual_maker: cannot write %s\n", argv[2]);
        return 1;
    }
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        pdf.setResolution(300);
        pdf.setTitle(QStringLiteral("Lumovander – handleiding"));
        pdf.setCreator(QStringLiteral("Lumovander"));
        document.print(&pdf);
    }
    if (!file.commit()) {
        std::fprintf(stderr, "lumo_manual_maker: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
