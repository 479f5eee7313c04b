// Through the Windows cryptographic provider: no hash code of our own. A verify-only context
// needs no key container, so nothing is stored for the user.
#include "base/crypto.h"

#include <windows.h>

#include <wincrypt.h>

CryptoState Crypto;

void ResetCrypto()
{
    if (Crypto.provider)
        CryptReleaseContext(Crypto.provider, 0);
    Crypto = CryptoState{};
}

static HCRYPTPROV Provider()
{
    HCRYPTPROV provider = 0;
    if (!Crypto.provider && CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        Crypto.provider = provider;
    return Crypto.provider;
}

bool Sha256(const uint8_t* bytes, size_t size, uint8_t (&digest)[32])
{
    HCRYPTHASH hash = 0;
    DWORD length = sizeof digest;
    // CryptHashData takes a DWORD length; the messages of a game are far below it.
    const bool done = Provider() && size <= MAXDWORD && CryptCreateHash(Crypto.provider, CALG_SHA_256, 0, 0, &hash) &&
                      CryptHashData(hash, bytes, static_cast<DWORD>(size), 0) &&
                      CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0) && length == sizeof digest;
    if (hash)
        CryptDestroyHash(hash);
    return done;
}

bool SecretRandomBytes(uint8_t* bytes, size_t size)
{
    return Provider() && size <= MAXDWORD && CryptGenRandom(Crypto.provider, static_cast<DWORD>(size), bytes);
}
