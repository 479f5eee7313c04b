// Through the Windows cryptographic provider: no hash code of our own. A verify-only context
// needs no key container, so nothing is stored for the user.
#include "base/crypto.h"

#include <windows.h>

#include <wincrypt.h>

static HCRYPTPROV AcquireProvider()
{
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        return 0;
    return provider;
}

bool Sha256(const uint8_t* bytes, size_t size, uint8_t (&digest)[32])
{
    const HCRYPTPROV provider = AcquireProvider();
    if (!provider)
        return false;
    HCRYPTHASH hash = 0;
    DWORD length = sizeof digest;
    bool done = CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash);
    // CryptHashData takes a DWORD length; the messages of a game are far below it.
    done = done && size <= MAXDWORD && CryptHashData(hash, bytes, static_cast<DWORD>(size), 0) &&
           CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0) && length == sizeof digest;
    if (hash)
        CryptDestroyHash(hash);
    CryptReleaseContext(provider, 0);
    return done;
}

bool SecretRandomBytes(uint8_t* bytes, size_t size)
{
    const HCRYPTPROV provider = AcquireProvider();
    if (!provider)
        return false;
    const bool done = size <= MAXDWORD && CryptGenRandom(provider, static_cast<DWORD>(size), bytes);
    CryptReleaseContext(provider, 0);
    return done;
}
