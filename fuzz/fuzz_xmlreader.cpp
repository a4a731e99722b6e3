// Feeds arbitrary bytes to the report reader. A file either loads or is
// refused with the load message; what loaded must save and read back.
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "platform/xmldom.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

class SilentInteraction : public UserInteraction
{
public:
    Button message(const QString &, int buttons, Icon, const QString &) override
    {
        ++messages;
        return (buttons & Cancel) ? Cancel : Ok;
    }
    QString askSaveFileName(const QString &) override { return QString(); }
    int messages = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static SilentInteraction ui;
    UserInteraction::setCurrent(&ui);
    ui.messages = 0;

    ReportDocument doc;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!doc.loadXmlData(input)) {
        if (ui.messages != 1 || doc.nbSections() != 1)
            std::abort(); // a refused file must be reported once and change nothing
        return 0;
    }

    XmlDocument dom;
    dom.setDocumentElement(doc.toXmlNode(dom));
    const QByteArray saved = dom.toByteArray();
    ReportDocument again;
    if (!again.loadXmlData(saved) || again.nbSections() != doc.nbSections())
        std::abort(); // what the program writes it must read back
    XmlDocument dom2;
    dom2.setDocumentElement(again.toXmlNode(dom2));
    if (dom2.toByteArray() != saved)
        std::abort(); // and a second round trip changes nothing
    return 0;
}
