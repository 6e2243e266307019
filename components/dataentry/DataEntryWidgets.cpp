// Anchor translation unit of the widget library (keeps it non-empty).
namespace veldo::dataentry_widgets {
int anchor = 0;
}
