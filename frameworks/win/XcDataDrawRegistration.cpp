#include "frameworks/win/XcDataDrawRegistration.h"

#include "frameworks/win/XcDataItemImage.h"
#include "frameworks/win/XcDataItemsImages.h"
#include "frameworks/win/XcDataItemsRenderer.h"

void RegisterXcDataDrawClasses() {
    for (const cl::TPersistentClass& cls : {
             ExtensionClass<TXcCustomDataItemsImages>(),
             ExtensionClass<TXcCustomDataItemsTextRenderer>(),
             ExtensionClass<TXcDataItemImageImpl>(),
         })
        cl::RegisterPersistentClass(cls);
}
