#pragma once

#include <QStringList>
#include <QTextStream>

// The commands of lumovander-batch. Each gets the words after its name, writes one
// line to err on bad input and returns the process's exit status.
int batchFilter(const QStringList &args, QTextStream &err);
int batchGradient(const QStringList &args, QTextStream &err);
int batchRender(const QStringList &args, QTextStream &err);
int batchPrint(const QStringList &args, QTextStream &err);
int batchCalibrate(const QStringList &args, QTextStream &err);
int batchDrukklaar(const QStringList &args, QTextStream &err);
