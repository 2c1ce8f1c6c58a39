// A loadable library that is not a component: it has none of the four entry points.
extern "C" __attribute__((visibility("default"))) int dwTestNotAComponent() {
    return 42;
}
