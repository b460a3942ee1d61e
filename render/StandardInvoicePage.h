#pragma once
// Fills template 213 or 214 with a standard-schema invoice's values.

#include <string>
#include <string_view>

#include "render/StandardInvoiceRecord.h"

namespace ledgra {

// `supplierSeal` is the decoded seal image (empty when the invoice has none) and
// `supplierSealPath` the page text naming the image file in the log folder.
void FillStandardInvoicePage(std::string& page, const StandardInvoiceRecord& record,
                             std::string_view supplierSeal, std::string_view supplierSealPath);

}  // namespace ledgra
