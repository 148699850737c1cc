#pragma once
// The addresses the basket's payment forms post to for the two providers
// whose address is not a setting: each provider publishes the address of its
// payment form to the shops it serves, and a shop whose provider gives it
// another address changes it here. Used by the InternetSecure and
// Authorize.Net forms of the basket (home_payment_forms.cpp).

inline constexpr const char* kInternetSecurePaymentAddress = "https://secure.internetsecure.com/process.cgi";
inline constexpr const char* kAuthorizeNetPaymentAddress = "https://secure.authorize.net/gateway/transact.dll";
