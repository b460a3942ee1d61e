#include "render/ContractRecord.h"

#include <algorithm>

namespace ledgra {

ContractRecord ReadContract(const XmlDocument& document) {
    static const XPath kDataAreas("//DigitalContent/DataArea");
    static const XPath kDocument("Document");
    static const XPath kFileCount("FileCount");
    static const XPath kFiles("File");
    static const XPath kFileName("File.Name");
    static const XPath kFileContent("File.Content");

    ContractRecord record;
    const XmlNodeList areas = document.SelectNodes(kDataAreas);
    for (long i = 0; i < areas.ListLength(); ++i) {
        const XmlNode area = areas.ListItem(i);
        record.body = area.SelectNode(kDocument).NodeText();
        const XmlNodeList counts = area.SelectNodes(kFileCount);
        record.fileCount = counts.ListLength() > 0 ? counts.ListItem(0).NodeText() : std::string();
        if (counts.ListLength() == 0) continue;

        const XmlNodeList files = area.SelectNodes(kFiles);
        const long kept = std::min<long>(files.ListLength(), kContractAttachmentSlots);
        for (long j = 0; j < kept; ++j) {
            const XmlNode file = files.ListItem(j);
            ContractAttachment& slot = record.attachments[static_cast<std::size_t>(j)];
            slot.name = file.SelectNode(kFileName).NodeText();
            slot.content = file.SelectNode(kFileContent).NodeText();
        }
    }
    return record;
}

}  // namespace ledgra
