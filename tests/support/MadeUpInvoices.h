#pragma once
// Standard-schema invoices made up for the ledger's tests and benchmark: the few fields that
// differ from one invoice to the next, written into a complete document (UTF-8).

#include <cstdint>
#include <string>
#include <vector>

namespace ledgra::testing {

struct MadeUpLine {
    std::string name;
    std::int64_t supply = 0;
    std::int64_t tax = 0;
};

struct MadeUpInvoice {
    std::string approvalNumber = "20240315-41000012-87650042";
    std::string typeCode = "0101";
    std::string issueDate = "20240315";
    std::string purposeCode = "02";
    std::string amendmentCode;   // written only when set
    std::string originalNumber;  // written only when set
    std::string supplierNumber = "1208812341";
    std::string supplierName = "가나상사";
    std::string buyerNumber = "2148867893";
    std::string buyerName = "다라물산";
    // The totals are the lines' sums.
    std::vector<MadeUpLine> lines = {{"복사용지", 500000, 50000}};
};

std::string MadeUpInvoiceXml(const MadeUpInvoice& invoice);

}  // namespace ledgra::testing
