// SHA-256 against the example values of FIPS 180-4 (NIST, "Secure Hash Standard", examples
// SHA256.pdf of the Cryptographic Standards and Guidelines examples) and the padding edges.
#include <string>

#include <gtest/gtest.h>

#include "common/sha256.h"

namespace {

using tessavin::Sha256Hex;

TEST(Sha256, MatchesTheStandardsExamples) {
    struct Case {
        std::string message, digest;
    };
    const Case cases[] = {
        // One-block message "abc" (FIPS 180-4 example).
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // The empty message (NIST example value).
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        // Two-block 448-bit message (FIPS 180-4 example): the length no longer fits the first
        // block's padding.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        // One million "a" (NIST example value): many whole blocks.
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sha256Hex(c.message), c.digest) << c.message.substr(0, 60);
}

} // namespace
