#pragma once
// The proof a saved PDF carries: the document file exactly as the verification run read it and
// a summary of the verification (UTF-8 text), as files attached to the PDF, and the verdict as
// the PDF's subject. The pages stay as the engine printed them.

#include <QByteArray>

#include <string>

#include "app/VerificationSummary.h"

namespace ledgra {

// The name of the attached summary.
inline constexpr const char* kSummaryFileName = "검증요약.txt";

// The summary as it is attached: file name, SHA-256 of the file, verdict, signers with their
// signing times and certificates, time of the check and the program's version.
std::string SummaryText(const VerificationSummary& summary);

// The PDF with the proof attached; empty when the PDF cannot be read or written.
QByteArray WithProof(const QByteArray& pdf, const VerificationSummary& summary);

}  // namespace ledgra
