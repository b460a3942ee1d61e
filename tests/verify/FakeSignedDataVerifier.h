#pragma once
// A scripted verification module for the run's tests: it answers with the statuses, contents
// and signers a test sets, and logs every call so tests can check the order of use.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "verify/SignedDataVerifier.h"

namespace ledgra::testing {

struct FakeModuleScript {
    // Operation names: "Initialize", "OpenSignedData", "VerifySignature", "LoadSignerName",
    // "LoadSigningTime", "CheckCertificate". The named operation returns status 1 with
    // ErrorText "<name> failed".
    std::string failingOperation;
    // The named operation (or "create" for the factory) throws VerificationModuleError.
    std::string throwingOperation;
    // Content by signed text; any other signed text opens as "content of <text>".
    std::map<std::string, std::string> contents;
    // Name and signing time of each signer.
    std::vector<std::pair<std::string, std::string>> signers{{"signer", "time"}};
};

struct FakeModuleLog {
    // Modules may be used on several threads at once (checks made ahead).
    void Add(std::string call) {
        const std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
    }

    // "create", each operation by name ("Initialize(...)", "OpenSignedData(<text>)", ...) and
    // "release", in order over every module object.
    std::vector<std::string> calls;
    std::mutex mutex;
};

class FakeSignedDataVerifier final : public ISignedDataVerifier {
public:
    FakeSignedDataVerifier(const FakeModuleScript& script, FakeModuleLog& log)
        : m_script(script), m_log(log) {}
    ~FakeSignedDataVerifier() override { m_log.Add("release"); }

    std::string ResultText() const override { return m_result; }
    std::string ErrorText() const override { return m_error; }
    std::uint16_t OpenSignedData(const std::string& signedText,
                                 const std::string& second) override {
        if (std::uint16_t status =
                Step("OpenSignedData(" + signedText + "," + second + ")", "OpenSignedData")) {
            return status;
        }
        const auto known = m_script.contents.find(signedText);
        m_result = known != m_script.contents.end() ? known->second : "content of " + signedText;
        return 0;
    }
    std::uint16_t VerifySignature() override { return Step("VerifySignature", "VerifySignature"); }
    std::uint16_t LoadSignerName(int signer) override {
        if (std::uint16_t status =
                Step("LoadSignerName(" + std::to_string(signer) + ")", "LoadSignerName")) {
            return status;
        }
        m_result = m_script.signers.at(static_cast<std::size_t>(signer - 1)).first;
        return 0;
    }
    std::uint16_t LoadSigningTime(int signer) override {
        if (std::uint16_t status =
                Step("LoadSigningTime(" + std::to_string(signer) + ")", "LoadSigningTime")) {
            return status;
        }
        m_result = m_script.signers.at(static_cast<std::size_t>(signer - 1)).second;
        return 0;
    }
    std::uint16_t Initialize(const std::string& text1, const std::string& caDirectoryList,
                             const std::string& text3, const std::string& text4, int value1,
                             int value2, int value3, int value4, int value5, int value6) override {
        const bool expected = text1.empty() && caDirectoryList == CaDirectoryList() &&
                              text3.empty() && text4.empty() && value1 == 0 && value2 == 1 &&
                              value3 == 0 && value4 == 1 && value5 == 1 && value6 == 0;
        return Step(expected ? "Initialize" : "Initialize(unexpected arguments)", "Initialize");
    }
    int SignerCount() const override { return static_cast<int>(m_script.signers.size()); }
    std::uint16_t Finish() override { return Step("Finish", "Finish"); }
    std::uint16_t CheckCertificate(const std::string& certificateDer) override {
        return Step("CheckCertificate(" + std::to_string(certificateDer.size()) + " bytes)",
                    "CheckCertificate");
    }
    SignerFacts SignerCertificateFacts(int signer) const override {
        SignerFacts facts;
        facts.name = m_script.signers.at(static_cast<std::size_t>(signer - 1)).first;
        return facts;
    }
    std::filesystem::path TrustFolder() const override { return "/trust"; }

private:
    std::uint16_t Step(const std::string& call, const std::string& operation) {
        m_log.Add(call);
        if (m_script.throwingOperation == operation) {
            throw VerificationModuleError(operation + " broke");
        }
        if (m_script.failingOperation == operation) {
            m_error = operation + " failed";
            return 1;
        }
        return 0;
    }

    const FakeModuleScript& m_script;
    FakeModuleLog& m_log;
    std::string m_result;
    std::string m_error;
};

inline SignedDataVerifierFactory FakeModuleFactory(const FakeModuleScript& script,
                                                   FakeModuleLog& log) {
    return [&script, &log]() -> std::unique_ptr<ISignedDataVerifier> {
        if (script.throwingOperation == "create") {
            throw VerificationModuleError("no module");
        }
        log.Add("create");
        return std::make_unique<FakeSignedDataVerifier>(script, log);
    };
}

}  // namespace ledgra::testing
