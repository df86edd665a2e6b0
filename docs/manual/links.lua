-- Links between the pages are written to the Markdown files ("checks.md#format")
-- so that they work where the Markdown is read; the HTML pages link to the
-- HTML pages.
function Link(el)
  if not el.target:match("^%a[%w+.-]*:") then
    el.target = el.target:gsub("%.md$", ".html"):gsub("%.md#", ".html#")
  end
  return el
end
