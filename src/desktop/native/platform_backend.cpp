#include "desktop/native/backend.hpp"
#include "desktop/native/headless_backend.hpp"

namespace pellamy::desktop::native {

std::shared_ptr<Backend> platform_backend() {
    return std::make_shared<HeadlessBackend>();
}

}  // namespace pellamy::desktop::native
