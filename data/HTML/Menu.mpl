<!DOCTYPE html>
<html>
<head>
<meta charset="windows-1252">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title><!--$MN_Title--></title>
<style>
  body { margin: 0; padding: 2.5em 1em; background: #efe7d6; font-family: Georgia, "Times New Roman", serif; color: #2b2118; }
  .card { max-width: 34em; margin: 0 auto; padding: 2.5em 3em 2em; background: #fffdf7; border: 1px solid #c9b48a; box-shadow: 0 0.3em 1.2em rgba(80, 60, 30, 0.18); text-align: center; }
  .frame { border: 1px solid #d8c7a2; padding: 2em 1.5em 1.5em; }
  h1 { margin: 0 0 0.3em; font-size: 2em; font-weight: normal; letter-spacing: 0.04em; color: #5a2a12; }
  .intro { margin: 0 0 1.2em; font-style: italic; line-height: 1.5; }
  .rule { margin: 1.4em auto; width: 40%; border: 0; border-top: 1px solid #c9b48a; }
  .course { margin: 0 0 1.6em; }
  .type { font-size: 0.8em; text-transform: uppercase; letter-spacing: 0.25em; color: #8a6a3a; margin-bottom: 0.35em; }
  .dish { font-size: 1.25em; }
  .note { margin-top: 0.3em; font-size: 0.95em; font-style: italic; color: #5b4c3c; line-height: 1.45; }
  .bottom { margin: 1.2em 0 0; font-size: 0.95em; line-height: 1.5; }
  @media print { body { background: none; padding: 0; } .card { box-shadow: none; border: 0; } }
</style>
</head>
<body>
<div class="card"><div class="frame">
<h1><!--$MN_Title--></h1>
<p class="intro"><!--$MN_Desc--></p>
<hr class="rule">
<!--$RepeatStart-->
<div class="course">
<div class="type"><!--$MN_Type--></div>
<div class="dish"><!--$MN_Recipe--></div>
<div class="note"><!--$MN_RecDesc--></div>
</div>
<!--$RepeatEnd-->
<hr class="rule">
<p class="bottom"><!--$MN_Bottom--></p>
</div></div>
</body>
</html>
