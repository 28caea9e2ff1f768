#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The backgrounds the program ships as templates, drawn by code at the card's size
// (440 x 270) so that each looks like its name. scripts/make-templates.sh writes them
// into a Templates folder through lumo_template_maker, some then worked over by one of
// the program's own filters. Each keeps a calm part where the card's lines stand.
namespace TemplatePictures {

// The names a picture is drawn for, in the order the script lists them.
QStringList names();

// The template called name at 440 x 270; a null picture for a name not in names().
// The same name gives the same pixels on every run.
QImage draw(const QString &name);

} // namespace TemplatePictures
