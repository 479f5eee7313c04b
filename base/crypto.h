// Hashes and secret random bytes from the system's cryptographic provider.
#pragma once
#include <cstddef>
#include <cstdint>

// The provider is opened at the first call and kept: opening it costs about ten
// milliseconds, and a fleet's promise takes a hundred hashes.
struct CryptoState {
    uintptr_t provider = 0;
};

extern CryptoState Crypto;

// Releases the provider.
void ResetCrypto();

// SHA-256 of the bytes into 32 bytes; false when the system cannot hash.
bool Sha256(const uint8_t* bytes, size_t size, uint8_t (&digest)[32]);

// Random bytes fit for secrets; false when the system has none.
bool SecretRandomBytes(uint8_t* bytes, size_t size);
