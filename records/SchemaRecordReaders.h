#pragma once
// The record readers of the three schemas, behind ReadInvoiceRecord. Each throws
// XmlAccessError as its renderer's reader does.

#include <string_view>

#include "records/InvoiceRecord.h"
#include "render/XmlDocument.h"

namespace ledgra {

InvoiceRecord ReadStandardInvoiceRecord(const XmlDocument& document);
InvoiceRecord ReadLegacyInvoiceRecord(const XmlDocument& document);
InvoiceRecord ReadKeyValueInvoiceRecord(std::string_view text);

}  // namespace ledgra
