#pragma once

#include "print/ui/PrinterStation.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <functional>
#include <memory>

// A printer for tests whose pages land in a PDF file, so that they can be counted and
// rendered. It notes the copies and sides it was asked for and can refuse or fail the
// document.
class FakePrinter : public PrinterStation {
public:
    explicit FakePrinter(const QString &pagesFile) : m_pagesFile(pagesFile) {}

    bool toFile = false;
    bool repeats = true;
    bool refuses = false;
    bool failsDocument = false;
    QString fileChosen;
    QString name = QStringLiteral("Testprinter");
    QList<int> preparedCopies;
    QList<Duplex> preparedSides; // how each document prepared prints its sheets
    bool duplexUnit = false;     // prints both sides itself, over either edge
    QList<QWidget *> setUpParents;
    std::function<void()> whenPrinting; // runs as the document starts

    void setUp(QWidget *parent) override { setUpParents << parent; }
    bool printsToFile() const override { return toFile; }
    QString chosenFileName() const override { return fileChosen; }
    QPagedPaintDevice *prepare(int copies) override
    {
        preparedCopies << copies;
        preparedSides << m_sides;
        m_sides = Duplex::FrontOnly;
        if (whenPrinting)
            whenPrinting();
        if (refuses)
            return nullptr;
        m_writer = std::make_unique<QPdfWriter>(m_pagesFile);
        m_writer->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
        return m_writer.get();
    }
    void setSides(Duplex sides) override { m_sides = sides; }
    bool printsBothSides(Duplex edge) const override
    {
        return duplexUnit && (edge == Duplex::LongEdge || edge == Duplex::ShortEdge);
    }
    bool repeatsPages() const override { return repeats; }
    bool accepted() const override { return !failsDocument; }
    QString printerName() const override { return name; }

private:
    QString m_pagesFile;
    Duplex m_sides = Duplex::FrontOnly;
    std::unique_ptr<QPdfWriter> m_writer;
};
