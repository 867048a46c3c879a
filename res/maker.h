// The maker's addresses, chosen once for the whole program (links, About box,
// menu prompt, messages). The macros serve the resource script, which cannot
// read C++.
#pragma once

#define VL_MAKER_WEB_SITE "http://www.norwick.example/"
#define VL_MAKER_SUPPORT_MAIL "support@norwick.example"
#define VL_MAKER_EXAMPLE_HOST "www.norwick.example"

#ifndef RC_INVOKED
namespace vl {

constexpr char kMakerWebSite[] = VL_MAKER_WEB_SITE;
constexpr char kMakerSupportMail[] = VL_MAKER_SUPPORT_MAIL;
constexpr char kMakerExampleHost[] = VL_MAKER_EXAMPLE_HOST;

}  // namespace vl
#endif
