// lumovander-wmf: draws one Windows metafile read from standard input and writes its
// pixels to standard output, under limits it puts on itself first, so that a metafile
// that makes libwmf loop, crash or swallow memory costs the program a bad picture and
// nothing more. Arguments and answer ("LWMF", width, height, pixels): helper/HelperMain.h.
#include "helper/HelperMain.h"
#include "wmf/WmfDrawing.h"

#include <QGuiApplication>
#include <memory>

int main(int argc, char **argv)
{
    // Real metafiles are kilobytes to a few megabytes.
    const HelperMain::Defaults defaults{5, 1024, qsizetype(256) << 20};
    return HelperMain::run(argc, argv, "LWMF", defaults, [&argc, argv](const QByteArray &bytes, const HelperMain::Request &request) {
        // Text needs Qt's fonts and with them an application; everything else draws
        // without one, which spares the process start most pictures.
        std::unique_ptr<QGuiApplication> app;
        if (WmfDrawing::hasText(bytes)) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        return WmfDrawing::draw(bytes, request.scale, request.crop);
    });
}
