#include "frameworks/data/win/XcDataDrawRegistration.h"

#include "frameworks/data/win/XcDataItemImage.h"
#include "frameworks/data/win/XcDataItemsImages.h"
#include "frameworks/data/win/XcDataItemsRenderer.h"

void RegisterXcDataDrawClasses() {
    for (const cl::TPersistentClass& cls : {
             ExtensionClass<TXcCustomDataItemsImages>(),
             ExtensionClass<TXcCustomDataItemsTextRenderer>(),
             ExtensionClass<TXcDataItemImageImpl>(),
         })
        cl::RegisterPersistentClass(cls);
}
