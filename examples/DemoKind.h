/*
 * DemoKind.h - the kind a demo module is built for, from the compile
 * definitions TRN_DEMO_KIND_INDEX and TRN_DEMO_ENTRY; shared by the demo
 * module of each launcher (C and C++).
 */
#ifndef TRN_DEMO_KIND_H
#define TRN_DEMO_KIND_H

#if !defined(TRN_DEMO_KIND_INDEX) || !defined(TRN_DEMO_ENTRY)
#error "TRN_DEMO_KIND_INDEX and TRN_DEMO_ENTRY must be defined by the build"
#endif
#if TRN_DEMO_KIND_INDEX < 0 || TRN_DEMO_KIND_INDEX > 7
#error "TRN_DEMO_KIND_INDEX out of range"
#endif

#define TRN_DEMO_STRINGIFY2(x) #x
#define TRN_DEMO_STRINGIFY(x) TRN_DEMO_STRINGIFY2(x)

/* The entry point's name, as a string literal. */
#define TRN_DEMO_ENTRY_NAME TRN_DEMO_STRINGIFY(TRN_DEMO_ENTRY)

/* The kinds exactly as the launcher's buttons name them, in kind-index
 * order, UTF-8; TRN_DEMO_KIND_NAME is the module's own. */
static const char* const TrnDemoKindNames[] = {
    "Цилиндрическая передача внешнего зацепления",
    "Цилиндрическая передача внутреннего зацепления",
    "Коническая передача с круговыми зубьями",
    "Коническая передача с прямыми зубьями",
    "Червячная цилиндрическая передача",
    "Роликовая цепная передача",
    "Клиноременная передача",
    "Зубчато-ременная передача",
};
#define TRN_DEMO_KIND_NAME (TrnDemoKindNames[TRN_DEMO_KIND_INDEX])

#endif
