#use domaincheck
// the greatest of its arguments, of any number of them, at least one
function max(){
  nonemptycheck("max",arguments);
  domaincheck("max",arguments);
  return Math.max.apply(null,arguments);
}
