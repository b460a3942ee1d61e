#pragma once
// The folder the ledger's benchmarks read: 10,000 signed made-up invoices in "documents" and
// the root they verify under in "trust".

#include <benchmark/benchmark.h>

#include <cstdio>

#include "tests/support/MadeUpInvoices.h"
#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"

namespace ledgra::testing {

inline constexpr int kInvoices = 10000;

// A benchmark over the folder is one long run, timed on the wall clock.
inline void OneRunOverTheFolder(benchmark::internal::Benchmark* run) {
    run->Unit(benchmark::kSecond)->Iterations(1)->MeasureProcessCPUTime()->UseRealTime();
}

// Made once: signing ten thousand messages takes longer than reading them.
inline const TempFolder& InvoiceFolder() {
    static const TempFolder folder;
    static const bool made = [] {
        TestAuthority::Trusted().WriteTrustFolder(folder.Path() / "trust");
        MadeUpInvoice invoice;
        for (int i = 0; i < kInvoices; ++i) {
            char number[32];
            std::snprintf(number, sizeof number, "20240315410000128765%04d", i);
            invoice.approvalNumber = number;
            invoice.lines = {{"복사용지", 1000 * (i + 1), 100 * (i + 1)}, {"토너", 500, 50}};
            char name[32];
            std::snprintf(name, sizeof name, "documents/%05d.XML", i);
            const_cast<TempFolder&>(folder).Write(
                name, BareMessageFile(SignedText(MadeUpInvoiceXml(invoice))));
        }
        return true;
    }();
    (void)made;
    return folder;
}

}  // namespace ledgra::testing
