// A library that offers itself as libmpv but speaks an older interface: of the client API it has
// only the version query, which answers 1.109.
extern "C" unsigned long mpv_client_api_version() {
    return (1UL << 16U) | 109UL;
}
