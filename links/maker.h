// The maker's addresses, chosen once for the whole program (links, About box,
// menu prompt, messages).
#pragma once

namespace vl {

constexpr char kMakerWebSite[] = "http://www.norwick.example/";
constexpr char kMakerSupportMail[] = "support@norwick.example";
constexpr char kMakerExampleHost[] = "www.norwick.example";

}  // namespace vl
