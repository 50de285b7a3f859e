#include "frameworks/data/XcDataRegistration.h"

#include "frameworks/data/XcDataContexts.h"
#include "frameworks/data/XcDataItemSelect.h"
#include "frameworks/data/XcDataItemText.h"
#include "frameworks/data/XcDataItemsManagement.h"

#ifdef _WIN32
#include "frameworks/data/win/XcDataDrawRegistration.h"
#endif

void RegisterXcDataProviderClasses() {
    for (const cl::TPersistentClass& cls : {
             ItemsClass<TXcDataItemsList>(),
             ExtensionClass<TXcBaseDataItemsListManagement>(),
             ItemClass<TXcBaseDataItem>(),
             ExtensionClass<TXcDataItemTextImpl>(),
             ConsumerClass(),
             ExtensionClass<TXcDataConsumerItemSelect>(),
             ContextsClass<TXcDataContexts>(),
             ContextClass<TXcDataContext>(),
             ContextClass<TXcManagedDataContext>(),
             ContextClass<TXcFixedDataContext>(),
         })
        cl::RegisterPersistentClass(cls);
#ifdef _WIN32
    RegisterXcDataDrawClasses();
#endif
}
