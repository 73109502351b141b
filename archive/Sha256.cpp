#include "archive/Sha256.h"

#include <openssl/evp.h>

#include <new>

namespace orvane {

Sha256::Sha256() : m_context(EVP_MD_CTX_new()) {
  if (m_context == nullptr || EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr) != 1) {
    EVP_MD_CTX_free(m_context);
    throw std::bad_alloc();
  }
}

Sha256::~Sha256() { EVP_MD_CTX_free(m_context); }

void Sha256::add(std::span<const std::uint8_t> data) {
  if (!data.empty()) EVP_DigestUpdate(m_context, data.data(), data.size());
}

void Sha256::add(std::string_view text) {
  add(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Digest Sha256::finish() {
  Digest digest{};
  EVP_DigestFinal_ex(m_context, digest.data(), nullptr);
  EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr);
  return digest;
}

Digest sha256Of(std::span<const std::uint8_t> data) {
  Digest digest{};
  EVP_Digest(data.data(), data.size(), digest.data(), nullptr, EVP_sha256(), nullptr);
  return digest;
}

Digest sha256Of(std::string_view text) {
  return sha256Of(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string hexDigest(const Digest& digest) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(digest.size() * 2);
  for (const std::uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

}  // namespace orvane
