#include "desktop/native/dbus_status_notifier_item.hpp"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "desktop/native/argb_pixmap.hpp"
#include "desktop/native/dbus_menu.hpp"
#include "desktop/native/dbus_message_writer.hpp"

namespace pellamy::desktop::native {
namespace {

constexpr const char* interface = "org.kde.StatusNotifierItem";

// The fixed text properties; the names of themed icons stay empty.
constexpr std::array<std::pair<std::string_view, const char*>, 9> texts{{
    {"Category", "ApplicationStatus"},
    {"Id", "pellamy"},
    {"Title", "Pellamy"},
    {"Status", "Active"},
    {"IconName", ""},
    {"OverlayIconName", ""},
    {"AttentionIconName", ""},
    {"AttentionMovieName", ""},
    {"IconThemePath", ""},
}};

int get_text(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply, void*,
             sd_bus_error*) {
    const auto* found = std::ranges::find(texts, std::string_view{property},
                                          &std::pair<std::string_view, const char*>::first);
    return sd_bus_message_append(reply, "s", found == texts.end() ? "" : found->second);
}

int get_no_pixmap(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                  sd_bus_error*) {
    return sd_bus_message_append(reply, "a(iiay)", 0);
}

int get_window_id(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                  sd_bus_error*) {
    return sd_bus_message_append(reply, "i", 0);
}

int get_item_is_menu(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                     sd_bus_error*) {
    return sd_bus_message_append(reply, "b", 1);
}

int get_menu(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
             sd_bus_error*) {
    return sd_bus_message_append(reply, "o", DbusMenu::path);
}

// a(iiay): the one size there is.
void write_pixmaps(MessageWriter& out, const std::vector<std::uint8_t>& pixmap) {
    constexpr auto side = static_cast<std::int32_t>(Icon::side);
    out.open('a', "(iiay)").open('r', "iiay").append("ii", side, side).bytes(pixmap);
    out.close().close();
}

}  // namespace

StatusNotifierItem::StatusNotifierItem(sd_bus* bus, const Icon& icon, std::string tooltip)
    : bus_(bus), pixmap_(argb_pixmap(icon)), tooltip_(std::move(tooltip)) {}

std::expected<std::unique_ptr<StatusNotifierItem>, Error> StatusNotifierItem::export_item(
    sd_bus* bus, const Icon& icon, std::string tooltip) {
    static constexpr sd_bus_vtable vtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_PROPERTY("Category", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("Id", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("Title", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("Status", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("WindowId", "i", get_window_id, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("IconName", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("IconThemePath", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("IconPixmap", "a(iiay)", get_pixmap, 0, 0),
        SD_BUS_PROPERTY("OverlayIconName", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("OverlayIconPixmap", "a(iiay)", get_no_pixmap, 0,
                        SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("AttentionIconName", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("AttentionIconPixmap", "a(iiay)", get_no_pixmap, 0,
                        SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("AttentionMovieName", "s", get_text, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("ToolTip", "(sa(iiay)ss)", get_tooltip, 0, 0),
        SD_BUS_PROPERTY("ItemIsMenu", "b", get_item_is_menu, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("Menu", "o", get_menu, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_SIGNAL("NewTitle", "", 0),
        SD_BUS_SIGNAL("NewIcon", "", 0),
        SD_BUS_SIGNAL("NewAttentionIcon", "", 0),
        SD_BUS_SIGNAL("NewOverlayIcon", "", 0),
        SD_BUS_SIGNAL("NewToolTip", "", 0),
        SD_BUS_SIGNAL("NewStatus", "s", 0),
        SD_BUS_VTABLE_END};

    auto item = std::make_unique<StatusNotifierItem>(bus, icon, std::move(tooltip));
    sd_bus_slot* slot = nullptr;
    if (const int added = sd_bus_add_object_vtable(bus, &slot, path, interface, vtable, item.get());
        added < 0) {
        return std::unexpected{bus_error("Could not show the tray icon", added)};
    }
    item->slot_.reset(slot);
    return item;
}

void StatusNotifierItem::set_tooltip(std::string tooltip) {
    tooltip_ = std::move(tooltip);
    sd_bus_emit_signal(bus_, path, interface, "NewToolTip", "");
}

void StatusNotifierItem::set_image(const Icon& icon) {
    pixmap_ = argb_pixmap(icon);
    sd_bus_emit_signal(bus_, path, interface, "NewIcon", "");
}

int StatusNotifierItem::get_pixmap(sd_bus*, const char*, const char*, const char*,
                                   sd_bus_message* reply, void* self, sd_bus_error*) {
    MessageWriter out{reply};
    write_pixmaps(out, static_cast<StatusNotifierItem*>(self)->pixmap_);
    return out.status();
}

// (icon name, icon pixmaps, title, description): the title carries the text.
int StatusNotifierItem::get_tooltip(sd_bus*, const char*, const char*, const char*,
                                    sd_bus_message* reply, void* self, sd_bus_error*) {
    MessageWriter out{reply};
    out.open('r', "sa(iiay)ss")
        .append("sa(iiay)ss", "", 0, static_cast<StatusNotifierItem*>(self)->tooltip_.c_str(), "")
        .close();
    return out.status();
}

}  // namespace pellamy::desktop::native
