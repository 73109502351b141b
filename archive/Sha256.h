// SHA-256 digests of movies, objects and texts, and their hexadecimal form.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct evp_md_ctx_st;

namespace orvane {

using Digest = std::array<std::uint8_t, 32>;

/// A digest computed over several pieces of data in turn.
class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void add(std::span<const std::uint8_t> data);
  void add(std::string_view text);
  /// The digest of everything added since construction or the last finish.
  Digest finish();

 private:
  evp_md_ctx_st* m_context;
};

Digest sha256Of(std::span<const std::uint8_t> data);
Digest sha256Of(std::string_view text);
/// 64 lower-case hexadecimal digits.
std::string hexDigest(const Digest& digest);

}  // namespace orvane
